#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

// A number with a double's 53-bit precision and a far wider exponent range.
// The crossover formulas round every step to double precision, but only the
// finished value is stored as a double: an intermediate product such as
// 1.5e308 * 1.5 must not overflow when a later division brings it back.
//
// Everything on the path of ordinary values is inline and works on the bits
// directly: a formula is a handful of these operations, and calls into the
// maths library would cost more than the arithmetic itself.
class Wide
{
public:
    Wide(double value) // NOLINT(google-explicit-constructor): formulas read as written
    {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        const auto biased = static_cast<std::int64_t>((bits & exponentBits) >> 52);
        if (biased == 0 || biased == 0x7ff) {
            *this = split(value);
            return;
        }
        // A normal double: same sign and fraction, exponent set for [0.5, 1).
        m_significand = std::bit_cast<double>((bits & ~exponentBits) | std::uint64_t{1022} << 52);
        m_exponent = biased - 1022;
    }

    // Both significands lie in [0.5, 1), so their product lies in [0.25, 1)
    // and their quotient in (0.5, 2): always normal doubles, each rounded
    // exactly as the full-range operation would be. Bringing them back into
    // [0.5, 1) is a doubling or halving, which is exact.
    friend Wide operator*(Wide a, Wide b)
    {
        if (a.isInfinite() || b.isInfinite())
            return infinite();
        const double product = a.m_significand * b.m_significand;
        if (product == 0.0)
            return {product, 0};
        const std::int64_t exponent = a.m_exponent + b.m_exponent;
        if (std::fabs(product) < 0.5)
            return {product * 2, exponent - 1};
        return {product, exponent};
    }

    friend Wide operator/(Wide a, Wide b)
    {
        if (a.isInfinite() || b.isInfinite() || b.m_significand == 0.0)
            return infinite();
        const double quotient = a.m_significand / b.m_significand;
        if (quotient == 0.0)
            return {quotient, 0};
        const std::int64_t exponent = a.m_exponent - b.m_exponent;
        if (std::fabs(quotient) >= 1.0)
            return {quotient / 2, exponent + 1};
        return {quotient, exponent};
    }

    // The value stored as a double, or nothing when it is too large for one
    // (or came from a division by zero). Too small a value becomes a
    // subnormal or 0.
    std::optional<double> toDouble() const
    {
        if (isInfinite())
            return std::nullopt;
        // A normal result is the significand scaled by a power of two, exact.
        if (m_significand != 0.0 && m_exponent >= -1021 && m_exponent <= 1023)
            return m_significand *
                   std::bit_cast<double>(static_cast<std::uint64_t>(m_exponent + 1023) << 52);
        return scaledOutsideNormalRange();
    }

private:
    static constexpr std::uint64_t exponentBits = std::uint64_t{0x7ff} << 52;

    Wide(double significand, std::int64_t exponent)
        : m_significand(significand), m_exponent(exponent)
    {
    }
    static Wide infinite() { return {std::numeric_limits<double>::infinity(), 0}; }
    bool isInfinite() const { return !std::isfinite(m_significand); }

    // Zero, subnormals, infinity and NaN, the values frexp has to split.
    static Wide split(double value);
    // A finite value that is 0, subnormal or beyond DBL_MAX as a double.
    std::optional<double> scaledOutsideNormalRange() const;

    // 0, of magnitude in [0.5, 1), or not finite for a value too large for
    // any number (an infinite entry or a division by zero).
    double m_significand = 0.0;
    std::int64_t m_exponent = 0;
};
