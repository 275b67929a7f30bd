#include "crossover.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <memory>
#include <string>
#include <vector>

// Readable failure messages.
void PrintTo(const OutputWrite& write, std::ostream* os)
{
    *os << write.box << " <- \"" << write.text << "\"";
}

namespace {

using Writes = std::vector<OutputWrite>;

// Types each text into its box as a user would, so the bindings are checked too.
void type(WindowModel& model, const std::vector<std::pair<std::string, std::string>>& entries)
{
    for (const auto& [box, text] : entries)
        ASSERT_EQ(model.textChanged(box, text), EntryAction::Store) << box;
}

struct WorkedExample
{
    const char* name;
    int order;
    std::vector<std::pair<std::string, std::string>> entries;
    Writes writes;
};

class WorkedExampleTest : public testing::TestWithParam<WorkedExample>
{
};

TEST_P(WorkedExampleTest, WritesTheResultsInOrder)
{
    auto model = makeWindowModel(GetParam().order);
    type(*model, GetParam().entries);
    const Calculation calculation = model->calculate(".");
    EXPECT_FALSE(calculation.overflowed);
    EXPECT_EQ(calculation.writes, GetParam().writes);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, WorkedExampleTest,
    testing::Values(
        WorkedExample{"FirstWoofer", 1, {{"Text1", "3000"}, {"Text2", "8"}}, {{"Text3", "0.42"}}},
        // 39.81, not the 39.79 an exact 2 pi would give.
        WorkedExample{"FirstMidrange",
                      1,
                      {{"Text4", "500"}, {"Text5", "5000"}, {"Text6", "8"}},
                      {{"Text7", "39.81"}, {"Text8", "0.25"}}},
        WorkedExample{"FirstTweeter", 1, {{"Text9", "5000"}, {"Text10", "6"}}, {{"Text11", "5.31"}}},
        WorkedExample{"FirstMidrangeWithoutUpperFrequency",
                      1,
                      {{"Text4", "500"}, {"Text6", "8"}},
                      {}},
        WorkedExample{"SecondWoofer",
                      2,
                      {{"Text1", "3000"}, {"Text2", "8"}},
                      {{"Text3", "4.69"}, {"Text4", "0.6"}}},
        WorkedExample{"SecondWooferConstantsAsWritten",
                      2,
                      {{"Text1", "100"}, {"Text2", "4"}},
                      {{"Text3", "281.49"}, {"Text4", "9.01"}}},
        // The inductors go crosswise: L1 at fc2, L2 at fc1.
        WorkedExample{"SecondMidrange",
                      2,
                      {{"Text5", "500"}, {"Text6", "5000"}, {"Text7", "8"}},
                      {{"Text8", "28.15"}, {"Text9", "2.81"}, {"Text10", "0.36"}, {"Text11", "3.6"}}},
        WorkedExample{"SecondTweeter",
                      2,
                      {{"Text12", "5000"}, {"Text13", "6"}},
                      {{"Text14", "3.75"}, {"Text15", "0.27"}}},
        WorkedExample{"SecondMidrangeWithoutUpperFrequency",
                      2,
                      {{"Text5", "500"}, {"Text7", "8"}},
                      {}},
        WorkedExample{"ThirdWoofer",
                      3,
                      {{"Text1", "500"}, {"Text2", "8"}},
                      {{"Text3", "53.08"}, {"Text4", "3.82"}, {"Text5", "1.27"}}},
        WorkedExample{"ThirdMidrange",
                      3,
                      {{"Text6", "500"}, {"Text7", "3000"}, {"Text8", "8"}},
                      {{"Text9", "26.54"},
                       {"Text10", "79.62"},
                       {"Text11", "8.85"},
                       {"Text12", "0.64"},
                       {"Text13", "0.21"},
                       {"Text14", "1.91"}}},
        WorkedExample{"ThirdTweeter",
                      3,
                      {{"Text15", "3000"}, {"Text16", "8"}},
                      {{"Text17", "4.42"}, {"Text18", "13.27"}, {"Text19", "0.32"}}},
        WorkedExample{"ThirdTweeterSixOhms",
                      3,
                      {{"Text15", "5000"}, {"Text16", "6"}},
                      {{"Text17", "3.54"}, {"Text18", "10.62"}, {"Text19", "0.14"}}},
        WorkedExample{"ThirdMidrangeLowerAboveUpper",
                      3,
                      {{"Text6", "3000"}, {"Text7", "500"}, {"Text8", "8"}},
                      {{"Text9", "4.42"},
                       {"Text10", "13.27"},
                       {"Text11", "53.08"},
                       {"Text12", "3.82"},
                       {"Text13", "1.27"},
                       {"Text14", "0.32"}}},
        WorkedExample{"ThirdAllGroups",
                      3,
                      {{"Text1", "500"},
                       {"Text2", "8"},
                       {"Text6", "500"},
                       {"Text7", "3000"},
                       {"Text8", "8"},
                       {"Text15", "3000"},
                       {"Text16", "8"}},
                      {{"Text3", "53.08"},
                       {"Text4", "3.82"},
                       {"Text5", "1.27"},
                       {"Text9", "26.54"},
                       {"Text10", "79.62"},
                       {"Text11", "8.85"},
                       {"Text12", "0.64"},
                       {"Text13", "0.21"},
                       {"Text14", "1.91"},
                       {"Text17", "4.42"},
                       {"Text18", "13.27"},
                       {"Text19", "0.32"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Calculate, UsesTheLocalesDecimalSeparator)
{
    FirstOrderModel model;
    type(model, {{"Text4", "500"}, {"Text5", "5000"}, {"Text6", "8"}});
    EXPECT_EQ(model.calculate(",").writes, (Writes{{"Text7", "39,81"}, {"Text8", "0,25"}}));
}

// Each window: a full set of entries, the woofer impedance box, and what a
// second press writes after that impedance became 0.
struct GroupSkipCase
{
    int order;
    std::vector<std::pair<std::string, std::string>> entries;
    std::string wooferImpedanceBox;
    std::vector<std::string> wooferOutputs;
};

class GroupSkipTest : public testing::TestWithParam<GroupSkipCase>
{
};

TEST_P(GroupSkipTest, AZeroValueSkipsOnlyItsGroup)
{
    auto model = makeWindowModel(GetParam().order);
    type(*model, GetParam().entries);
    const Writes full = model->calculate(".").writes;

    type(*model, {{GetParam().wooferImpedanceBox, "0"}});
    Writes expected;
    for (const OutputWrite& write : full) {
        const auto& woofer = GetParam().wooferOutputs;
        if (std::find(woofer.begin(), woofer.end(), write.box) == woofer.end())
            expected.push_back(write);
    }
    EXPECT_EQ(model->calculate(".").writes, expected);
    EXPECT_LT(expected.size(), full.size());
}

TEST_P(GroupSkipTest, ClearThenCalculateWritesNothing)
{
    auto model = makeWindowModel(GetParam().order);
    type(*model, GetParam().entries);
    model->clear();
    EXPECT_TRUE(model->calculate(".").writes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Windows, GroupSkipTest,
    testing::Values(
        GroupSkipCase{1,
                      {{"Text1", "3000"},
                       {"Text2", "8"},
                       {"Text4", "500"},
                       {"Text5", "5000"},
                       {"Text6", "8"},
                       {"Text9", "5000"},
                       {"Text10", "6"}},
                      "Text2",
                      {"Text3"}},
        GroupSkipCase{2,
                      {{"Text1", "3000"},
                       {"Text2", "8"},
                       {"Text5", "500"},
                       {"Text6", "5000"},
                       {"Text7", "8"},
                       {"Text12", "5000"},
                       {"Text13", "6"}},
                      "Text2",
                      {"Text3", "Text4"}},
        GroupSkipCase{3,
                      {{"Text1", "500"},
                       {"Text2", "8"},
                       {"Text6", "500"},
                       {"Text7", "3000"},
                       {"Text8", "8"},
                       {"Text15", "3000"},
                       {"Text16", "8"}},
                      "Text2",
                      {"Text3", "Text4", "Text5"}}));

struct BoxesCase
{
    int order;
    int boxCount;
    std::vector<std::string> entryBoxes;
};

class BoxesTest : public testing::TestWithParam<BoxesCase>
{
};

TEST_P(BoxesTest, ClearEmptiesEveryBoxInAscendingOrder)
{
    auto model = makeWindowModel(GetParam().order);
    std::vector<std::string> expected;
    for (int i = 1; i <= GetParam().boxCount; ++i)
        expected.push_back("Text" + std::to_string(i));
    EXPECT_EQ(model->boxes(), expected);
    EXPECT_EQ(model->entryBoxes(), GetParam().entryBoxes);
}

TEST_P(BoxesTest, LoadAndClearSetEveryValueToZero)
{
    auto model = makeWindowModel(GetParam().order);
    for (const std::string& box : model->entryBoxes())
        model->textChanged(box, "5");
    model->clear();
    EXPECT_EQ(model->calculate(".").writes.size(), 0u);
    for (double value : {model->fc, model->rvg, model->fc1, model->fc2, model->rvg1, model->fc3,
                         model->rvg2})
        EXPECT_EQ(value, 0);
    for (const std::string& box : model->entryBoxes())
        model->textChanged(box, "5");
    model->load();
    for (double value : {model->fc, model->rvg, model->fc1, model->fc2, model->rvg1, model->fc3,
                         model->rvg2})
        EXPECT_EQ(value, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, BoxesTest,
    testing::Values(
        BoxesCase{1, 11, {"Text1", "Text2", "Text4", "Text5", "Text6", "Text9", "Text10"}},
        BoxesCase{2, 15, {"Text1", "Text2", "Text5", "Text6", "Text7", "Text12", "Text13"}},
        BoxesCase{3, 19, {"Text1", "Text2", "Text6", "Text7", "Text8", "Text15", "Text16"}}));

// Each entry box feeds its own value: typing 5 into one box only moves that value.
TEST(Bindings, EachEntryBoxFeedsItsOwnValue)
{
    const std::vector<std::vector<std::string>> boxesByValue = {
        // fc, rvg, fc1, fc2, rvg1, fc3, rvg2
        {"Text1", "Text2", "Text4", "Text5", "Text6", "Text9", "Text10"},
        {"Text1", "Text2", "Text5", "Text6", "Text7", "Text12", "Text13"},
        {"Text1", "Text2", "Text6", "Text7", "Text8", "Text15", "Text16"},
    };
    for (int order = 1; order <= 3; ++order) {
        for (std::size_t v = 0; v < 7; ++v) {
            auto model = makeWindowModel(order);
            model->textChanged(boxesByValue[order - 1][v], "5");
            const double values[] = {model->fc,   model->rvg, model->fc1, model->fc2,
                                     model->rvg1, model->fc3, model->rvg2};
            for (std::size_t w = 0; w < 7; ++w)
                EXPECT_EQ(values[w], v == w ? 5 : 0) << "order " << order << " value " << w;
        }
    }
}

const std::string e308 = "1" + std::string(308, '0');

TEST(Overflow, StopsAtTheResultTooLargeAndKeepsTheWritesBefore)
{
    FirstOrderModel model;
    type(model, {{"Text1", "3000"}, {"Text2", "8"}, {"Text4", "1"}, {"Text5", "1"},
                 {"Text6", e308}, {"Text9", "5000"}, {"Text10", "6"}});
    const Calculation calculation = model.calculate(".");
    // C is far below a double's range and shows 0; L = 1e308 / 6.28 * 1000 overflows.
    EXPECT_TRUE(calculation.overflowed);
    EXPECT_EQ(calculation.writes, (Writes{{"Text3", "0.42"}, {"Text7", "0"}}));
    EXPECT_EQ(model.rvg1, 1e308);
    EXPECT_EQ(model.fc3, 5000);
}

TEST(Overflow, EveryInductorOfTheThirdOrderWooferOverflowsInTurn)
{
    ThirdOrderModel model;
    type(model, {{"Text1", "1"}, {"Text2", e308}});
    const Calculation calculation = model.calculate(".");
    EXPECT_TRUE(calculation.overflowed);
    EXPECT_EQ(calculation.writes, (Writes{{"Text3", "0"}}));
}

// An intermediate product beyond a double's range must not overflow when the
// finished value fits: 1.5e308 * 1.5 / (1e10 * 6.28) * 1000.
TEST(WideExponent, IntermediateResultsMayLeaveTheRangeOfADouble)
{
    ThirdOrderModel model;
    model.fc = 1e10;
    model.rvg = 1.5e308;
    const Calculation calculation = model.calculate(".");
    ASSERT_FALSE(calculation.overflowed);
    ASSERT_EQ(calculation.writes.size(), 3u);
    EXPECT_EQ(calculation.writes[0], (OutputWrite{"Text3", "0"}));
    EXPECT_EQ(calculation.writes[1], (OutputWrite{"Text4", "3.5828025477707E+300"}));
    EXPECT_EQ(calculation.writes[2], (OutputWrite{"Text5", "1.19426751592357E+300"}));
}

TEST(WideExponent, ACapacitorTooSmallForADoubleShowsZero)
{
    SecondOrderModel model;
    type(model, {{"Text12", "1" + std::string(300, '0')}, {"Text13", "1" + std::string(29, '0')}});
    const Calculation calculation = model.calculate(".");
    EXPECT_FALSE(calculation.overflowed);
    ASSERT_EQ(calculation.writes.size(), 2u);
    EXPECT_EQ(calculation.writes[0], (OutputWrite{"Text14", "0"}));
}

} // namespace
