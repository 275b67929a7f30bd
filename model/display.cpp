#include "display.h"

#include <charconv>
#include <cmath>
#include <cstdint>

double roundToCents(double value)
{
    if (!std::isfinite(value) || value == 0.0)
        return value;

    // value = significand * 2^exponent exactly, with an integer significand.
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    const auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - exponent; // value = significand / 2^shift
    if (shift <= 0)
        return value; // a whole number already

    // cents = significand * 100 / 2^shift, rounded half to even.
    const std::uint64_t hundredfold = significand * 100; // below 2^60
    std::uint64_t cents = 0;
    if (shift < 64) {
        cents = hundredfold >> shift;
        const std::uint64_t remainder = hundredfold - (cents << shift);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        if (remainder > half || (remainder == half && (cents & 1) != 0))
            ++cents;
    }
    // Below 2^64 the remainder is always under half, so cents stays 0.

    // The double nearest to cents / 100, correctly rounded.
    char text[32];
    auto [end, error] = std::to_chars(text, text + sizeof text - 3, cents);
    *end++ = 'e';
    *end++ = '-';
    *end++ = '2';
    double rounded = 0.0;
    std::from_chars(text, end, rounded);
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
    return numberText(roundToCents(value), decimalSeparator);
}
