#include "display.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

// |value| in cents, rounded half to even on the exact binary value. Requires
// a finite |value| below 2^52, so that it has a fractional part to round.
std::uint64_t centsOf(double value)
{
    // |value| = significand * 2^exponent exactly, with an integer significand.
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    const auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - exponent; // |value| = significand / 2^shift
    if (shift >= 64)
        return 0; // the remainder is always under half a cent

    // cents = significand * 100 / 2^shift, rounded half to even.
    const std::uint64_t hundredfold = significand * 100; // below 2^60
    std::uint64_t cents = hundredfold >> shift;
    const std::uint64_t remainder = hundredfold - (cents << shift);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (remainder > half || (remainder == half && (cents & 1) != 0))
        ++cents;
    return cents;
}

const double twoTo52 = 4503599627370496.0; // from here on every double is whole

} // namespace

double roundToCents(double value)
{
    if (!std::isfinite(value) || value == 0.0 || std::fabs(value) >= twoTo52)
        return value;

    // The double nearest to cents / 100, correctly rounded. Up to 2^53 the
    // cents are exact as a double, so one division rounds correctly.
    const std::uint64_t cents = centsOf(value);
    double rounded = 0.0;
    if (cents <= std::uint64_t{1} << 53) {
        rounded = static_cast<double>(cents) / 100;
    } else {
        char text[32];
        auto end = std::to_chars(text, text + sizeof text - 3, cents).ptr;
        *end++ = 'e';
        *end++ = '-';
        *end++ = '2';
        std::from_chars(text, end, rounded);
    }
    return std::copysign(rounded, value);
}

std::string numberText(double value, std::string_view decimalSeparator)
{
    if (value == 0.0)
        return "0";
    if (!std::isfinite(value))
        return std::isnan(value) ? "NaN" : (value > 0 ? "Inf" : "-Inf");

    // d.dddddddddddddde+X: fifteen significant digits, correctly rounded.
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                   std::chars_format::scientific, 14)
                         .ptr;
    std::string digits;
    digits += buffer[0];
    digits.append(buffer + 2, 14);
    int exponent = 0;
    std::from_chars(buffer + 17 + (buffer[17] == '+' ? 1 : 0), end, exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string text = value < 0 ? "-" : "";
    if (exponent >= 15) {
        text += digits[0];
        if (digits.size() > 1) {
            text += decimalSeparator;
            text.append(digits, 1);
        }
        text += "E+" + std::to_string(exponent);
    } else if (exponent >= 0) {
        const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= wholeDigits) {
            text += digits;
            text.append(wholeDigits - digits.size(), '0');
        } else {
            text.append(digits, 0, wholeDigits);
            text += decimalSeparator;
            text.append(digits, wholeDigits);
        }
    } else {
        text += "0";
        text += decimalSeparator;
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    }
    return text;
}

std::string showResult(double value, std::string_view decimalSeparator)
{
    // Below 1E+13 the cents have at most 15 digits, and a decimal of at most
    // 15 significant digits prints back from its nearest double unchanged, so
    // the cents can be written directly without formatting a double.
    if (!(std::fabs(value) < 1e13))
        return numberText(roundToCents(value), decimalSeparator);
    const std::uint64_t cents = centsOf(value);
    if (cents == 0)
        return "0";
    std::string text = value < 0 ? "-" : "";
    text += std::to_string(cents / 100);
    if (const auto fraction = static_cast<char>(cents % 100); fraction != 0) {
        text += decimalSeparator;
        text += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0)
            text += static_cast<char>('0' + fraction % 10);
    }
    return text;
}

std::string oneDecimalText(double value, std::string_view decimalSeparator)
{
    if (std::isnan(value))
        return "-";
    if (std::isinf(value))
        return value < 0 ? "−∞" : "∞";
    char buffer[400];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed, 1)
            .ptr;
    // What rounds to zero has no sign.
    const bool zero = std::all_of(buffer, end, [](char c) { return c == '0' || c == '.'; });
    std::string digits(buffer, end);
    digits.replace(digits.size() - 2, 1, decimalSeparator);
    return (value < 0 && !zero ? "−" : "") + digits;
}
