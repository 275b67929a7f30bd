#pragma once

#include <optional>
#include <string>
#include <string_view>

struct Calculation;
struct Crossover;
struct Values;
enum class Series;
enum class Slope;

// The program's command line, handled before any application object exists:
// the usage text, the version, or a calculation without any window. Returns
// the status to exit with, or nothing when there are no arguments and the
// windows are to start.
std::optional<int> runCommandLine(int argc, char* argv[]);

// The command line that repeats a calculation of the window of `slope` with
// these values: every group whose values are all given, and --series when
// `series` is given.
std::string commandLineFor(Slope slope, const Values& values, std::optional<Series> series);

// What the command line prints for a calculation: a line for each result,
// with the four columns of standard values when `series` is given.
std::string resultLines(const Crossover& crossover, const Calculation& calculation,
                        std::optional<Series> series, std::string_view decimalSeparator);
