#include "standardvalues.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What a builder reads for one result: "nearest deviation | pair deviation",
// and a "*" where the pair comes nearer than the single value.
std::string suggested(double value, Series series)
{
    const std::optional<Suggestion> s = suggest(value, series);
    if (!s)
        return "none";
    return valueText(s->nearest, ".") + " " + deviationText(s->nearestDeviation, ".") + " | " +
           pairText(*s, ".") + " " + deviationText(s->pairDeviation, ".") +
           (s->pairIsNearer ? " *" : "");
}

struct SuggestionCase
{
    const char* name;
    double value;
    Series series;
    const char* expected;
};

class SuggestionTest : public testing::TestWithParam<SuggestionCase>
{
};

TEST_P(SuggestionTest, NamesTheNearestValueAndTheBestPair)
{
    EXPECT_EQ(suggested(GetParam().value, GetParam().series), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Results, SuggestionTest,
    testing::Values(
        // The second-order midrange C1 of 500 Hz and 8 ohms: the pair beats 27.
        SuggestionCase{"PairBeatsTheSingleValue", 28.1491553020, Series::E12,
                       "27 −4.1 % | 27 + 1.2 +0.2 % *"},
        SuggestionCase{"PairCannotBeatAnExactValue", 4.7, Series::E12,
                       "4.7 0.0 % | 4.7 + 0.01 +0.2 %"},
        SuggestionCase{"DenserSeriesComesNearer", 28.1491553020, Series::E24,
                       "27 −4.1 % | 27 + 1.1 −0.2 % *"},
        SuggestionCase{"CoarserSeries", 28.1491553020, Series::E6,
                       "33 +17.2 % | 22 + 6.8 +2.3 % *"},
        // Across the boundaries of a decade.
        SuggestionCase{"UpIntoTheNextDecade", 9.95, Series::E12, "10 +0.5 % | 8.2 + 1.8 +0.5 %"},
        SuggestionCase{"UpIntoTheNextDecadeBelowOne", 0.0995, Series::E12,
                       "0.1 +0.5 % | 0.082 + 0.018 +0.5 %"},
        SuggestionCase{"DownIntoTheDecadeBelow", 0.9, Series::E12,
                       "0.82 −8.9 % | 0.68 + 0.22 0.0 % *"},
        // Exactly halfway between two values: the larger.
        SuggestionCase{"TieBetweenSinglesTakesTheLarger", 2.0, Series::E12,
                       "2.2 +10.0 % | 1 + 1 0.0 % *"},
        SuggestionCase{"TieInE6", 1.25, Series::E6, "1.5 +20.0 % | 1 + 0.22 −2.4 % *"},
        SuggestionCase{"EqualPairsTakeTheLargerPart", 3.0, Series::E12,
                       "3.3 +10.0 % | 1.8 + 1.2 0.0 % *"},
        // The range: 0.01 to 1000, both included.
        SuggestionCase{"Smallest", 0.01, Series::E12, "0.01 0.0 % | 0.01 + 0.01 +100.0 %"},
        SuggestionCase{"Largest", 1000, Series::E12, "1000 0.0 % | 820 + 180 0.0 %"},
        SuggestionCase{"BelowTheRange", 0.0099, Series::E24, "none"},
        SuggestionCase{"AboveTheRange", 1000.01, Series::E24, "none"},
        SuggestionCase{"FarAboveTheRange", 2.25193242416098E+22, Series::E12, "none"},
        SuggestionCase{"Zero", 0, Series::E12, "none"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StandardValueText, UsesTheLocalesSeparatorAndDropsTrailingZeros)
{
    EXPECT_EQ(valueText(12, "."), "0.012");
    EXPECT_EQ(valueText(5600, ","), "5,6");
    EXPECT_EQ(valueText(820000, ","), "820");
    EXPECT_EQ(deviationText(-4.08, ","), "−4,1 %");
    EXPECT_EQ(deviationText(-0.04, "."), "0.0 %");
}

TEST(Series, AreNamedAsTheStandardNamesThem)
{
    EXPECT_EQ(seriesOfName("E6"), Series::E6);
    EXPECT_EQ(seriesOfName("E12"), Series::E12);
    EXPECT_EQ(seriesOfName("E24"), Series::E24);
    for (const char* other : {"", "e12", "E48", "12"})
        EXPECT_EQ(seriesOfName(other), std::nullopt) << other;
}

} // namespace
