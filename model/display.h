#pragma once

#include <string>
#include <string_view>

// Rounds to two decimals, deciding on the exact binary value of the double;
// a value exactly halfway goes to the even neighbour (0.125 -> 0.12,
// 0.375 -> 0.38, while 1.115, stored as 1.11499999..., goes to 1.11).
double roundToCents(double value);

// The default text of a number: at most 15 significant digits, no grouping,
// no trailing zeros or separator, exponent form ("1.5E+20") only from 1E+15.
std::string numberText(double value, std::string_view decimalSeparator);

// What an output box shows for a computed value.
std::string showResult(double value, std::string_view decimalSeparator);

// A signed figure to one decimal, as levels and deviations show: "−3.0",
// "3.5", "0.0" (never "−0.0"), with "−" for minus; "−∞" for minus infinity
// and "-" for a figure that is none.
std::string oneDecimalText(double value, std::string_view decimalSeparator);
