#include "display.h"

#include <gtest/gtest.h>

#include <cfloat>
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
    testing::Values(
        DisplayCase{0.42462845, ".", "0.42"}, DisplayCase{39.808917, ".", "39.81"},
        DisplayCase{2.5, ".", "2.5"}, DisplayCase{3, ".", "3"}, DisplayCase{0, ".", "0"},
        DisplayCase{0.004, ".", "0"},
        // Halves go to the even neighbour, decided on the stored binary value.
        DisplayCase{0.125, ".", "0.12"}, DisplayCase{0.375, ".", "0.38"},
        DisplayCase{1.115, ".", "1.11"},  // stored as 1.11499999...
        DisplayCase{0.005, ".", "0.01"},  // stored as 0.00500000000000000010...
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
        DisplayCase{100000000000000.0, ".", "100000000000000"}));

TEST(RoundToCents, KeepsWholeNumbersAndTheLargestMagnitudes)
{
    EXPECT_EQ(roundToCents(DBL_MAX), DBL_MAX);
    EXPECT_EQ(roundToCents(9007199254740993.0), 9007199254740993.0);
    EXPECT_EQ(roundToCents(-2.675), -2.67);
}

} // namespace
