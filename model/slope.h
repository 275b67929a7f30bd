#pragma once

#include <array>
#include <optional>
#include <string_view>

// How steeply a window's filters fall: the first-order window (Form1) at
// 6 dB per octave, the second-order one (Form2) at 12, the third-order one
// (Form3) at 18.
enum class Slope
{
    First,
    Second,
    Third
};

inline constexpr std::array<Slope, 3> slopes = {Slope::First, Slope::Second, Slope::Third};

// 6, 12 or 18.
constexpr int decibelsPerOctave(Slope slope)
{
    return 6 * (static_cast<int>(slope) + 1);
}

// The slope written as its decibels per octave, "6", "12" or "18"; nothing
// for any other text.
std::optional<Slope> slopeOfDecibels(std::string_view text);

// The two slopes a window switches to, in ascending order: its Command3 and
// Command4.
constexpr std::array<Slope, 2> otherSlopes(Slope slope)
{
    switch (slope) {
    case Slope::First:
        return {Slope::Second, Slope::Third};
    case Slope::Second:
        return {Slope::First, Slope::Third};
    case Slope::Third:
        break;
    }
    return {Slope::First, Slope::Second};
}
