#include "standardvalues.h"

#include "display.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <span>
#include <vector>

namespace {

// The first two digits of each value of a decade.
constexpr int e6[] = {10, 15, 22, 33, 47, 68};
constexpr int e12[] = {10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};
constexpr int e24[] = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                       33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};

// Every value of the series from 0.01 to 1000, in thousandths, ascending.
std::vector<std::int64_t> valuesOf(std::span<const int> decade)
{
    std::vector<std::int64_t> values;
    for (std::int64_t scale = 1; scale * 10 <= largestSuggested; scale *= 10) {
        for (int digits : decade)
            values.push_back(digits * scale);
    }
    values.push_back(largestSuggested);
    return values;
}

const std::vector<std::int64_t>& values(Series series)
{
    static const std::array<std::vector<std::int64_t>, 3> all = {valuesOf(e6), valuesOf(e12),
                                                                 valuesOf(e24)};
    return all[static_cast<std::size_t>(series)];
}

// A result held exactly, to be compared with whole numbers of thousandths:
// a double is a binary fraction, so "exactly halfway" is decided on its
// exact value, never on a rounded product.
class Exact
{
public:
    // Requires 0 < value <= 2000.
    explicit Exact(double value) : m_thousandths(scaled(value, 1000)), m_twice(scaled(value, 2000))
    {
    }

    // The sign of n − 1000 × value.
    int compare(std::int64_t n) const { return m_thousandths.compare(n); }

    // Negative when a lies strictly nearer to 1000 × value than b, positive
    // when b does, 0 when both lie as near.
    int nearer(std::int64_t a, std::int64_t b) const
    {
        const int sideA = compare(a);
        const int sideB = compare(b);
        if (sideA <= 0 && sideB <= 0)
            return a > b ? -1 : a < b ? 1 : 0;
        if (sideA >= 0 && sideB >= 0)
            return a < b ? -1 : a > b ? 1 : 0;
        // On either side: the one below is nearer when a + b > 2000 × value.
        const int sum = m_twice.compare(a + b);
        return sideA < 0 ? -sum : sum;
    }

    std::int64_t floor() const { return m_thousandths.floor; }
    bool whole() const { return m_thousandths.exact; }

private:
    struct Scaled
    {
        std::int64_t floor; // of value × factor
        bool exact;         // value × factor is a whole number

        int compare(std::int64_t n) const
        {
            if (n != floor)
                return n > floor ? 1 : -1;
            return exact ? 0 : -1;
        }
    };

    static Scaled scaled(double value, std::uint64_t factor)
    {
        // value = significand / 2^shift exactly; significand × factor fits
        // in 64 bits for factors up to 2048.
        int exponent = 0;
        const double fraction = std::frexp(value, &exponent);
        const auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
        const int shift = 53 - exponent;
        const std::uint64_t product = significand * factor;
        if (shift >= 64)
            return {0, product == 0};
        const std::uint64_t below = product & ((std::uint64_t{1} << shift) - 1);
        return {static_cast<std::int64_t>(product >> shift), below == 0};
    }

    Scaled m_thousandths;
    Scaled m_twice;
};

double deviation(std::int64_t thousandths, double value)
{
    return (static_cast<double>(thousandths) / 1000 - value) / value * 100;
}

} // namespace

std::string_view name(Series series)
{
    switch (series) {
    case Series::E6:
        return "E6";
    case Series::E12:
        return "E12";
    case Series::E24:
        break;
    }
    return "E24";
}

std::optional<Series> seriesOfName(std::string_view text)
{
    for (Series series : {Series::E6, Series::E12, Series::E24}) {
        if (text == name(series))
            return series;
    }
    return std::nullopt;
}

std::optional<Suggestion> suggest(double value, Series series)
{
    if (!(value > 0 && value <= 2000))
        return std::nullopt;
    const Exact x(value);
    if (x.compare(smallestSuggested) > 0 || x.compare(largestSuggested) < 0)
        return std::nullopt;
    const std::vector<std::int64_t>& all = values(series);

    // The values next to the result on either side; the larger on a tie.
    const std::int64_t least = x.whole() ? x.floor() : x.floor() + 1; // the least sum not below
    const auto above = std::lower_bound(all.begin(), all.end(), least);
    const auto below = std::upper_bound(all.begin(), all.end(), x.floor()) - 1;
    const std::int64_t nearest = x.nearer(*below, *above) < 0 ? *below : *above;

    // For each larger part, the smaller parts that bring the sum nearest
    // from below and from above.
    std::int64_t larger = 0;
    std::int64_t smaller = 0;
    const auto consider = [&](std::int64_t a, std::int64_t b) {
        const int order = larger == 0 ? -1 : x.nearer(a + b, larger + smaller);
        if (order < 0 || (order == 0 && (a + b > larger + smaller ||
                                         (a + b == larger + smaller && a > larger)))) {
            larger = a;
            smaller = b;
        }
    };
    for (auto a = all.begin(); a != all.end(); ++a) {
        const auto parts = std::span(all.begin(), a + 1); // the smaller part is at most a
        const auto up = std::lower_bound(parts.begin(), parts.end(), least - *a);
        if (up != parts.end())
            consider(*a, *up);
        if (up != parts.begin())
            consider(*a, *(up - 1));
    }

    return Suggestion{
        nearest, deviation(nearest, value),          larger,
        smaller, deviation(larger + smaller, value), x.nearer(larger + smaller, nearest) < 0};
}

std::string valueText(std::int64_t thousandths, std::string_view decimalSeparator)
{
    std::string text = std::to_string(thousandths / 1000);
    std::int64_t fraction = thousandths % 1000;
    if (fraction == 0)
        return text;
    int digits = 3;
    for (; fraction % 10 == 0; fraction /= 10)
        --digits;
    std::string decimals = std::to_string(fraction);
    decimals.insert(0, static_cast<std::size_t>(digits) - decimals.size(), '0');
    return text + std::string(decimalSeparator) + decimals;
}

std::string deviationText(double percent, std::string_view decimalSeparator)
{
    const std::string digits = oneDecimalText(percent, decimalSeparator);
    const bool signless = digits.starts_with("−") || digits == oneDecimalText(0, decimalSeparator);
    return (signless ? "" : "+") + digits + " %";
}

std::string pairText(const Suggestion& suggestion, std::string_view decimalSeparator)
{
    return valueText(suggestion.larger, decimalSeparator) + " + " +
           valueText(suggestion.smaller, decimalSeparator);
}
