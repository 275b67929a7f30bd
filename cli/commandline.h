#pragma once

#include <optional>

// The program's command line, handled before any application object exists:
// the usage text, the version, or a calculation without any window. Returns
// the status to exit with, or nothing when there are no arguments and the
// windows are to start.
std::optional<int> runCommandLine(int argc, char* argv[]);
