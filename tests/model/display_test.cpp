#include "display.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>
#include <string>

namespace {

struct DisplayCase
{
    double value;
    const char* separator;
    std::string text;
};

class ShowResultTest : public testing::TestWithParam<DisplayCase>
{
};

TEST_P(ShowResultTest, RoundsToCentsAndWritesTheDefaultNumberText)
{
    EXPECT_EQ(showResult(GetParam().value, GetParam().separator), GetParam().text)
        << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, ShowResultTest,
    testing::Values(DisplayCase{0.42462845, ".", "0.42"}, DisplayCase{39.808917, ".", "39.81"},
                    DisplayCase{2.5, ".", "2.5"}, DisplayCase{3, ".", "3"},
                    DisplayCase{0, ".", "0"}, DisplayCase{0.004, ".", "0"},
                    // Halves go to the even neighbour, decided on the stored binary value.
                    DisplayCase{0.125, ".", "0.12"}, DisplayCase{0.375, ".", "0.38"},
                    DisplayCase{1.115, ".", "1.11"}, // stored as 1.11499999...
                    DisplayCase{0.005, ".", "0.01"}, // stored as 0.00500000000000000010...
                    DisplayCase{2.675, ".", "2.67"}, DisplayCase{0.025, ".", "0.03"},
                    DisplayCase{-0.125, ".", "-0.12"}, DisplayCase{5e-324, ".", "0"},
                    // The locale's separator, whatever it is.
                    DisplayCase{39.808917, ",", "39,81"}, DisplayCase{0.5, "٫", "0٫5"},
                    // Fifteen significant digits; exponent form from 1E+15 on.
                    DisplayCase{123456789012.345, ".", "123456789012.35"},
                    DisplayCase{999999999999999.0, ".", "999999999999999"},
                    DisplayCase{999999999999999.9, ".", "1E+15"}, DisplayCase{1e15, ".", "1E+15"},
                    DisplayCase{1.5e20, ".", "1.5E+20"}, DisplayCase{1.5e20, ",", "1,5E+20"},
                    DisplayCase{1.23456789012346e300, ".", "1.23456789012346E+300"},
                    DisplayCase{DBL_MAX, ".", "1.79769313486232E+308"},
                    DisplayCase{100000000000000.0, ".", "100000000000000"},
                    // Around 1E+13, where the text stops being written from the cents.
                    DisplayCase{9999999999999.99, ".", "9999999999999.99"},
                    DisplayCase{std::nextafter(1e13, 0.0), ".", "10000000000000"},
                    DisplayCase{-9999999999999.99, ",", "-9999999999999,99"},
                    DisplayCase{1e13, ".", "10000000000000"},
                    DisplayCase{10000000000000.01, ".", "10000000000000"},
                    DisplayCase{12345678901234.56, ".", "12345678901234.6"},
                    DisplayCase{0.05, ".", "0.05"}, DisplayCase{0.5, ".", "0.5"},
                    DisplayCase{7.1, ".", "7.1"}, DisplayCase{-0.004, ".", "0"},
                    DisplayCase{-0.0, ".", "0"}, DisplayCase{-7.25, ".", "-7.25"},
                    DisplayCase{1.5e-310, ".", "0"}, DisplayCase{HUGE_VAL, ".", "Inf"},
                    DisplayCase{NAN, ".", "NaN"}));

// Ordinary values are written straight from their cents; every value must
// read exactly as the number text of its rounded value.
class ShortcutTest : public testing::TestWithParam<double>
{
};

TEST_P(ShortcutTest, WritesWhatTheNumberTextOfTheRoundedValueReads)
{
    std::mt19937_64 engine(GetParam());
    std::uniform_real_distribution<double> scale(0.0, 1.0);
    for (int i = 0; i < 2000; ++i) {
        // Up to a hundred cents either side of the value, in steps of a
        // quarter cent, so that exact halves and .xx5 both occur.
        const double x = GetParam() + std::round(scale(engine) * 800 - 400) / 400;
        for (const double v : {x, std::nextafter(x, 0.0), std::nextafter(x, HUGE_VAL), -x}) {
            EXPECT_EQ(showResult(v, ","), numberText(roundToCents(v), ",")) << v;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Magnitudes, ShortcutTest,
                         testing::Values(0.0, 1.0, 39.0, 1e6, 123456789.0, 1e12, 9999999999998.0,
                                         1e13, 1e14, 999999999999999.0));

TEST(RoundToCents, KeepsWholeNumbersAndTheLargestMagnitudes)
{
    EXPECT_EQ(roundToCents(DBL_MAX), DBL_MAX);
    EXPECT_EQ(roundToCents(9007199254740993.0), 9007199254740993.0);
    EXPECT_EQ(roundToCents(-2.675), -2.67);
}

} // namespace
