#pragma once

#include <cstdint>
#include <optional>

// A number with a double's 53-bit precision and a far wider exponent range.
// The crossover formulas round every step to double precision, but only the
// finished value is stored as a double: an intermediate product such as
// 1.5e308 * 1.5 must not overflow when a later division brings it back.
class Wide
{
public:
    Wide(double value); // NOLINT(google-explicit-constructor): formulas read as written

    friend Wide operator*(Wide a, Wide b);
    friend Wide operator/(Wide a, Wide b);

    // The value stored as a double, or nothing when it is too large for one
    // (or came from a division by zero). Too small a value becomes a
    // subnormal or 0.
    std::optional<double> toDouble() const;

private:
    Wide(double significand, std::int64_t exponent, bool infinite);
    static Wide normalised(double significand, std::int64_t exponent);

    double m_significand = 0.0; // 0, or of magnitude in [0.5, 1)
    std::int64_t m_exponent = 0;
    bool m_infinite = false;
};
