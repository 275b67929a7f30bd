#include "wide.h"

Wide Wide::split(double value)
{
    int exponent = 0;
    const double significand = std::frexp(value, &exponent);
    return {significand, std::isfinite(significand) ? exponent : 0};
}

std::optional<double> Wide::scaledOutsideNormalRange() const
{
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
