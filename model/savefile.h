#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

// What went wrong, in Bulgarian: "няма място на диска", "няма право на
// запис"; the number of an error without words of its own.
std::string systemErrorText(std::error_code error);

// Writes `bytes` as the whole content of the file at `path`, replacing it
// whole or not at all: into a new file beside it (beside the file a symbolic
// link leads to), renamed over it once complete, with the old file's
// permissions. A device or a pipe, such as /dev/stdout, is written straight
// into. Returns why it failed, as systemErrorText() says it; nothing on
// success.
std::optional<std::string> replaceFile(const std::string& path, std::string_view bytes);
