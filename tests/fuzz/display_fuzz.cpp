// Any double and any decimal separator through the result display.
#include "display.h"
#include "fuzzcheck.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int significantDigits(const std::string& text)
{
    int count = 0;
    bool leading = true;
    for (char c : text) {
        if (c == 'E')
            break;
        if (c < '0' || c > '9')
            continue;
        if (c != '0')
            leading = false;
        if (!leading)
            ++count;
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < sizeof(double))
        return 0;
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    const std::string separator(reinterpret_cast<const char*>(data) + sizeof value,
                                std::min<std::size_t>(size - sizeof value, 8));

    const std::string text = showResult(value, separator);
    if (!std::isfinite(value))
        return 0;

    // The separator stands where the point would, and nowhere else.
    const std::string pointText = showResult(value, ".");
    std::string expected = pointText;
    if (const auto at = expected.find('.'); at != std::string::npos)
        expected.replace(at, 1, separator);
    FUZZ_CHECK(text == expected);

    const double rounded = roundToCents(value);
    // Within half a cent, give or take the spacing of doubles at that size.
    const double spacing = std::nextafter(std::fabs(value), INFINITY) - std::fabs(value);
    FUZZ_CHECK(std::fabs(rounded - value) <= 0.005 + spacing);
    FUZZ_CHECK(significantDigits(pointText) <= 15);

    // The text reads back as the rounded value to fifteen significant digits.
    char* end = nullptr;
    const double parsed = std::strtod(pointText.c_str(), &end);
    FUZZ_CHECK(*end == '\0');
    char fifteen[40];
    std::snprintf(fifteen, sizeof fifteen, "%.14e", rounded);
    FUZZ_CHECK(parsed == std::strtod(fifteen, nullptr));
    return 0;
}
