#include "crossover.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

// The texts typed into the seven entry boxes, in the order of the inputs:
// woofer fc, R; midrange fc1, fc2, R; tweeter fc, R. Empty: not typed.
using Typed = std::array<std::string, 7>;

// Each result of a press as "group label text", as its row in the window reads.
std::vector<std::string> shown(const Crossover& crossover, const Calculation& calculation)
{
    std::vector<std::string> lines;
    for (const ResultValue& value : calculation.results) {
        const Result& result = crossover.results[value.result];
        lines.push_back(std::string(caption(result.group)) + " " + std::string(result.label) + " " +
                        value.text);
    }
    return lines;
}

WindowModel typedInto(Slope slope, const Typed& typed)
{
    WindowModel model(slope);
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (!typed[i].empty()) {
            EXPECT_EQ(model.textChanged(i, typed[i]), EntryAction::Store) << typed[i];
        }
    }
    return model;
}

struct WorkedExample
{
    const char* name;
    Slope slope;
    Typed typed;
    std::vector<std::string> results;
};

class WorkedExampleTest : public testing::TestWithParam<WorkedExample>
{
};

TEST_P(WorkedExampleTest, WritesTheResultsInOrder)
{
    const WindowModel model = typedInto(GetParam().slope, GetParam().typed);
    const Calculation calculation = model.calculate(".");
    EXPECT_FALSE(calculation.overflowed);
    EXPECT_EQ(shown(model.crossover(), calculation), GetParam().results);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, WorkedExampleTest,
    testing::Values(
        WorkedExample{"FirstWoofer", Slope::First, {"3000", "8"}, {"Ниски L 0.42"}},
        // 39.81, not the 39.79 an exact 2 pi would give.
        WorkedExample{"FirstMidrange",
                      Slope::First,
                      {"", "", "500", "5000", "8"},
                      {"Среди C 39.81", "Среди L 0.25"}},
        WorkedExample{
            "FirstTweeter", Slope::First, {"", "", "", "", "", "5000", "6"}, {"Високи C 5.31"}},
        WorkedExample{
            "FirstMidrangeWithoutUpperFrequency", Slope::First, {"", "", "500", "", "8"}, {}},
        WorkedExample{
            "SecondWoofer", Slope::Second, {"3000", "8"}, {"Ниски C 4.69", "Ниски L 0.6"}},
        WorkedExample{"SecondWooferConstantsAsWritten",
                      Slope::Second,
                      {"100", "4"},
                      {"Ниски C 281.49", "Ниски L 9.01"}},
        // The inductors go crosswise: L1 at fc2, L2 at fc1.
        WorkedExample{"SecondMidrange",
                      Slope::Second,
                      {"", "", "500", "5000", "8"},
                      {"Среди C1 28.15", "Среди C2 2.81", "Среди L1 0.36", "Среди L2 3.6"}},
        WorkedExample{"SecondTweeter",
                      Slope::Second,
                      {"", "", "", "", "", "5000", "6"},
                      {"Високи C 3.75", "Високи L 0.27"}},
        WorkedExample{
            "SecondMidrangeWithoutUpperFrequency", Slope::Second, {"", "", "500", "", "8"}, {}},
        WorkedExample{"ThirdWoofer",
                      Slope::Third,
                      {"500", "8"},
                      {"Ниски C 53.08", "Ниски L1 3.82", "Ниски L2 1.27"}},
        WorkedExample{"ThirdMidrange",
                      Slope::Third,
                      {"", "", "500", "3000", "8"},
                      {"Среди C1 26.54", "Среди C2 79.62", "Среди C3 8.85", "Среди L1 0.64",
                       "Среди L2 0.21", "Среди L3 1.91"}},
        WorkedExample{"ThirdTweeter",
                      Slope::Third,
                      {"", "", "", "", "", "3000", "8"},
                      {"Високи C1 4.42", "Високи C2 13.27", "Високи L 0.32"}},
        WorkedExample{"ThirdTweeterSixOhms",
                      Slope::Third,
                      {"", "", "", "", "", "5000", "6"},
                      {"Високи C1 3.54", "Високи C2 10.62", "Високи L 0.14"}},
        WorkedExample{"ThirdMidrangeLowerAboveUpper",
                      Slope::Third,
                      {"", "", "3000", "500", "8"},
                      {"Среди C1 4.42", "Среди C2 13.27", "Среди C3 53.08", "Среди L1 3.82",
                       "Среди L2 1.27", "Среди L3 0.32"}},
        WorkedExample{"ThirdAllGroups",
                      Slope::Third,
                      {"500", "8", "500", "3000", "8", "3000", "8"},
                      {"Ниски C 53.08", "Ниски L1 3.82", "Ниски L2 1.27", "Среди C1 26.54",
                       "Среди C2 79.62", "Среди C3 8.85", "Среди L1 0.64", "Среди L2 0.21",
                       "Среди L3 1.91", "Високи C1 4.42", "Високи C2 13.27", "Високи L 0.32"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Calculate, UsesTheLocalesDecimalSeparator)
{
    const WindowModel model = typedInto(Slope::First, {"", "", "500", "5000", "8"});
    EXPECT_EQ(shown(model.crossover(), model.calculate(",")),
              (std::vector<std::string>{"Среди C 39,81", "Среди L 0,25"}));
}

TEST(Calculate, KeepsEachResultsValueBeforeRounding)
{
    const WindowModel model = typedInto(Slope::Second, {"3000", "8"});
    const Calculation calculation = model.calculate(".");
    ASSERT_EQ(calculation.results.size(), 2u);
    EXPECT_NEAR(calculation.results[0].value, 4.6915258837, 1e-10);
    EXPECT_NEAR(calculation.results[1].value, 0.6005153131, 1e-10);
}

class EverySlope : public testing::TestWithParam<Slope>
{
};

const Typed fullExample = {"500", "8", "500", "3000", "8", "3000", "8"};

TEST_P(EverySlope, AZeroValueSkipsOnlyItsGroup)
{
    WindowModel model = typedInto(GetParam(), fullExample);
    const Calculation full = model.calculate(".");
    ASSERT_EQ(full.results.size(), model.crossover().results.size());

    model.textChanged(1, "0"); // the woofer's impedance
    std::vector<ResultValue> expected;
    for (const ResultValue& result : full.results) {
        if (model.crossover().results[result.result].group != Group::Woofer)
            expected.push_back(result);
    }
    EXPECT_EQ(model.calculate(".").results, expected);
    EXPECT_LT(expected.size(), full.results.size());
}

TEST_P(EverySlope, ClearThenCalculateWritesNothing)
{
    WindowModel model = typedInto(GetParam(), fullExample);
    model.clear();
    EXPECT_EQ(model.values(), Values{});
    EXPECT_TRUE(model.calculate(".").results.empty());
}

// Typing 5 into one entry box moves its own value and no other.
TEST_P(EverySlope, EachInputFeedsItsOwnValue)
{
    for (std::size_t i = 0; i < 7; ++i) {
        WindowModel model(GetParam());
        model.textChanged(i, "5");
        Values expected;
        expected.*model.crossover().inputs[i].value = 5;
        EXPECT_EQ(model.values(), expected) << "input " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, EverySlope, testing::ValuesIn(slopes));

TEST(Slopes, AreNamedByTheirDecibelsPerOctave)
{
    EXPECT_EQ(slopeOfDecibels("6"), Slope::First);
    EXPECT_EQ(slopeOfDecibels("12"), Slope::Second);
    EXPECT_EQ(slopeOfDecibels("18"), Slope::Third);
    for (const char* other : {"", "0", "06", "6.0", "24", "1", "+6"})
        EXPECT_EQ(slopeOfDecibels(other), std::nullopt) << other;
}

const std::string e308 = "1" + std::string(308, '0');

TEST(Overflow, StopsAtTheResultTooLargeAndKeepsTheWritesBefore)
{
    const WindowModel model = typedInto(Slope::First, {"3000", "8", "1", "1", e308, "5000", "6"});
    const Calculation calculation = model.calculate(".");
    // C is far below a double's range and shows 0; L = 1e308 / 6.28 * 1000 overflows.
    EXPECT_TRUE(calculation.overflowed);
    EXPECT_EQ(shown(model.crossover(), calculation),
              (std::vector<std::string>{"Ниски L 0.42", "Среди C 0"}));
    EXPECT_EQ(model.values().rvg1, 1e308);
    EXPECT_EQ(model.values().fc3, 5000);
}

TEST(Overflow, EveryInductorOfTheThirdOrderWooferOverflowsInTurn)
{
    const WindowModel model = typedInto(Slope::Third, {"1", e308});
    const Calculation calculation = model.calculate(".");
    EXPECT_TRUE(calculation.overflowed);
    EXPECT_EQ(shown(model.crossover(), calculation), std::vector<std::string>{"Ниски C 0"});
}

// An intermediate product beyond a double's range must not overflow when the
// finished value fits: 1.5e308 * 1.5 / (1e10 * 6.28) * 1000.
TEST(WideExponent, IntermediateResultsMayLeaveTheRangeOfADouble)
{
    const Crossover& third = crossover(Slope::Third);
    const Calculation calculation = third.calculate({.fc = 1e10, .rvg = 1.5e308}, ".");
    ASSERT_FALSE(calculation.overflowed);
    EXPECT_EQ(shown(third, calculation),
              (std::vector<std::string>{"Ниски C 0", "Ниски L1 3.5828025477707E+300",
                                        "Ниски L2 1.19426751592357E+300"}));
}

TEST(WideExponent, ACapacitorTooSmallForADoubleShowsZero)
{
    const WindowModel model =
        typedInto(Slope::Second,
                  {"", "", "", "", "", "1" + std::string(300, '0'), "1" + std::string(29, '0')});
    const Calculation calculation = model.calculate(".");
    EXPECT_FALSE(calculation.overflowed);
    ASSERT_EQ(calculation.results.size(), 2u);
    EXPECT_EQ(shown(model.crossover(), calculation)[0], "Високи C 0");
}

} // namespace
