#include "wide.h"

#include <cmath>

Wide::Wide(double value)
{
    int exponent = 0;
    m_significand = std::frexp(value, &exponent);
    m_exponent = exponent;
    m_infinite = !std::isfinite(value);
}

Wide::Wide(double significand, std::int64_t exponent, bool infinite)
    : m_significand(significand), m_exponent(exponent), m_infinite(infinite)
{
}

Wide Wide::normalised(double significand, std::int64_t exponent)
{
    int shift = 0;
    const double m = std::frexp(significand, &shift);
    return {m, m == 0.0 ? 0 : exponent + shift, false};
}

// Both significands lie in [0.5, 1), so their product lies in [0.25, 1) and
// their quotient in (0.5, 2): always normal doubles, each rounded exactly as
// the full-range operation would be.
Wide operator*(Wide a, Wide b)
{
    if (a.m_infinite || b.m_infinite)
        return {0.0, 0, true};
    return Wide::normalised(a.m_significand * b.m_significand, a.m_exponent + b.m_exponent);
}

Wide operator/(Wide a, Wide b)
{
    if (a.m_infinite || b.m_infinite || b.m_significand == 0.0)
        return {0.0, 0, true};
    return Wide::normalised(a.m_significand / b.m_significand, a.m_exponent - b.m_exponent);
}

std::optional<double> Wide::toDouble() const
{
    if (m_infinite)
        return std::nullopt;
    if (m_significand == 0.0)
        return 0.0;
    // Beyond these bounds ldexp's int exponent could wrap; the outcome there
    // is certain anyway: overflow above, zero below.
    if (m_exponent > 2000)
        return std::nullopt;
    if (m_exponent < -2000)
        return std::copysign(0.0, m_significand);
    const double value = std::ldexp(m_significand, static_cast<int>(m_exponent));
    if (std::isinf(value))
        return std::nullopt;
    return value;
}
