#include "slope.h"

#include <string>

std::optional<Slope> slopeOfDecibels(std::string_view text)
{
    for (Slope slope : slopes) {
        if (text == std::to_string(decibelsPerOctave(slope)))
            return slope;
    }
    return std::nullopt;
}
