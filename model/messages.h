#pragma once

#include <string_view>

// The texts of the program's messages: the windows show them in a message
// box, the command line on standard error.
inline constexpr std::string_view notANumberMessage = "Моля въвеждайте само числа";
inline constexpr std::string_view resultTooLargeMessage = "Резултатът е твърде голям";
