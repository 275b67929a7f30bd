#include "crossover.h"
#include "entry.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

struct NotANumberCase
{
    std::string text;
    bool notANumber;
};

class CheckNumberTest : public testing::TestWithParam<NotANumberCase>
{
};

TEST_P(CheckNumberTest, OnlyTheTenAsciiDigitsPass)
{
    EXPECT_EQ(CheckNumber(GetParam().text), GetParam().notANumber) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, CheckNumberTest,
                         testing::Values(NotANumberCase{"", false}, NotANumberCase{"0", false},
                                         NotANumberCase{"0123456789", false},
                                         NotANumberCase{"007", false}, NotANumberCase{"12.5", true},
                                         NotANumberCase{"12,5", true}, NotANumberCase{"-5", true},
                                         NotANumberCase{"+5", true}, NotANumberCase{"1e3", true},
                                         NotANumberCase{"abc", true}, NotANumberCase{"5Ω", true},
                                         NotANumberCase{" 5", true}, NotANumberCase{"5 ", true},
                                         NotANumberCase{"/", true}, NotANumberCase{":", true},
                                         NotANumberCase{"12а", true}, // Cyrillic а
                                         NotANumberCase{"５", true},  // full-width five
                                         NotANumberCase{"٥", true},   // Arabic-Indic five
                                         NotANumberCase{"1\0"s
                                                        "2",
                                                        true},
                                         NotANumberCase{"\xff", true}));

struct EntryCase
{
    const char* name;
    std::string text;
    bool errorTolerant;
    EntryAction action;
    double value;
};

class TextChangedTest : public testing::TestWithParam<EntryCase>
{
};

TEST_P(TextChangedTest, DecidesWhatTheBoxDoes)
{
    const EntryResult result = handleTextChanged(GetParam().text, GetParam().errorTolerant);
    EXPECT_EQ(result.action, GetParam().action);
    if (GetParam().action == EntryAction::Store) {
        EXPECT_EQ(result.value, GetParam().value);
    }
}

const std::string largestDigits = "1" + std::string(308, '0'); // 1e308
const std::string tooManyDigits = "1" + std::string(309, '0'); // beyond DBL_MAX

INSTANTIATE_TEST_SUITE_P(
    Texts, TextChangedTest,
    testing::Values(EntryCase{"Empty", "", false, EntryAction::Ignore, 0},
                    EntryCase{"Digits", "123", false, EntryAction::Store, 123},
                    EntryCase{"Zero", "0", false, EntryAction::Store, 0},
                    EntryCase{"LeadingZeros", "007", false, EntryAction::Store, 7},
                    EntryCase{"NearestDouble", "9007199254740993", false, EntryAction::Store,
                              9007199254740992.0},
                    EntryCase{"LargestMagnitude", largestDigits, false, EntryAction::Store, 1e308},
                    EntryCase{"LongLeadingZeros", std::string(100000, '0') + "42", false,
                              EntryAction::Store, 42},
                    EntryCase{"Letter", "12a", false, EntryAction::Reject, 0},
                    EntryCase{"LetterInTolerantBox", "12a", true, EntryAction::Reject, 0},
                    EntryCase{"TooLarge", tooManyDigits, false, EntryAction::Reject, 0},
                    EntryCase{"TooLargeInTolerantBox", tooManyDigits, true, EntryAction::Ignore, 0},
                    EntryCase{"HundredThousandDigits", std::string(100000, '9'), false,
                              EntryAction::Reject, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Inputs by place: 0 is the woofer's fc, 2 and 3 the midrange's fc1 and fc2.
TEST(EntryBinding, RejectedAndIgnoredTextsKeepTheStoredValue)
{
    WindowModel model(Slope::First);
    ASSERT_EQ(model.textChanged(2, "7"), EntryAction::Store);
    ASSERT_EQ(model.textChanged(3, "8"), EntryAction::Store);

    EXPECT_EQ(model.textChanged(2, "12a"), EntryAction::Reject);
    EXPECT_EQ(model.textChanged(2, ""), EntryAction::Ignore);
    EXPECT_EQ(model.textChanged(2, tooManyDigits), EntryAction::Ignore);
    EXPECT_EQ(model.values().fc1, 7);

    EXPECT_EQ(model.textChanged(3, tooManyDigits), EntryAction::Reject);
    EXPECT_EQ(model.values().fc2, 8);
}

TEST(EntryBinding, DeletingOneCharacterAtATimeStoresEachShorterNumber)
{
    WindowModel model(Slope::First);
    model.textChanged(0, "1");
    model.textChanged(0, "12");
    model.textChanged(0, "1");
    model.textChanged(0, "");
    EXPECT_EQ(model.values().fc, 1);
}

TEST(EntryBinding, OnlyTheFirstOrderMidrangeLowerFrequencyToleratesOversizedNumbers)
{
    for (Slope slope : slopes) {
        WindowModel model(slope);
        for (std::size_t i = 0; i < model.crossover().inputs.size(); ++i) {
            const bool tolerant =
                slope == Slope::First && model.crossover().inputs[i].value == &Values::fc1;
            EXPECT_EQ(model.textChanged(i, tooManyDigits),
                      tolerant ? EntryAction::Ignore : EntryAction::Reject)
                << decibelsPerOctave(slope) << " dB, input " << i;
        }
    }
}

} // namespace
