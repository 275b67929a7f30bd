#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The standard values capacitors and coils are sold in: the IEC 60063
// series E6, E12 and E24, six, twelve and twenty-four values a decade.
enum class Series
{
    E6,
    E12,
    E24,
};

// "E6", "E12" or "E24".
std::string_view name(Series series);
std::optional<Series> seriesOfName(std::string_view text);

// Parts are suggested for results from 0.01 to 1000 (µF or mH), both
// included, and from the values of the series in that range.
inline constexpr std::int64_t smallestSuggested = 10;     // in thousandths
inline constexpr std::int64_t largestSuggested = 1000000; // in thousandths

// What to buy for one result: the nearest single value of the series, and
// the best two values of the series that add up to it (capacitors in
// parallel, coils in series). Values are in thousandths of the result's
// unit, so that every value of the series is a whole number; deviations are
// (suggested − result) / result in per cent.
//
// Ties go to the larger value: a result exactly halfway between two values
// of the series takes the larger, and of two pairs equally near it the one
// with the larger sum, then the one with the larger part.
struct Suggestion
{
    std::int64_t nearest;
    double nearestDeviation;
    std::int64_t larger; // the pair, larger part first
    std::int64_t smaller;
    double pairDeviation;
    // The pair comes strictly nearer to the result than the single value.
    bool pairIsNearer;
};

// Nothing for a result outside the range above.
std::optional<Suggestion> suggest(double value, Series series);

// A value in thousandths as the results show numbers: "5.6", "0.012", "22".
std::string valueText(std::int64_t thousandths, std::string_view decimalSeparator);
// "−4.1 %", "+0.2 %", "0.0 %": signed, one decimal.
std::string deviationText(double percent, std::string_view decimalSeparator);
// "22 + 5.6".
std::string pairText(const Suggestion& suggestion, std::string_view decimalSeparator);
