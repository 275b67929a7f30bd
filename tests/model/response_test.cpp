#include "response.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string_view>
#include <vector>

namespace {

// The windows take 2 pi as 6.28, and every component value they give is in
// proportion to 1 / pi: times 6.28 / 2 pi, they are the exact parts of the
// same design.
constexpr double exactParts = 6.28 / (2 * std::numbers::pi);

struct Design
{
    Slope slope;
    Values values;
    double scale = exactParts;
    // One component's value times this factor, the others as designed.
    std::string_view changed = {};
    double factor = 1;
};

Response responseOf(const Design& design)
{
    const Crossover& described = crossover(design.slope);
    std::vector<std::size_t> unsuggested;
    ResponseValues taken =
        responseValues(described, design.values, described.calculate(design.values, "."),
                       std::nullopt, unsuggested);
    for (std::size_t i = 0; i < taken.values.size(); ++i) {
        taken.values[i] *= design.scale;
        if (described.results[i].label == design.changed)
            taken.values[i] *= design.factor;
    }
    return Response(described, taken.groups, taken.values, design.values);
}

Values woofer(double fc, double r)
{
    Values values;
    values.fc = fc;
    values.rvg = r;
    return values;
}

Values midrange(double fc1, double fc2, double r)
{
    Values values;
    values.fc1 = fc1;
    values.fc2 = fc2;
    values.rvg1 = r;
    return values;
}

Values wooferAndTweeter(double fc, double r)
{
    Values values = woofer(fc, r);
    values.fc3 = fc;
    values.rvg2 = r;
    return values;
}

const std::vector<double> allThirdOctaves(thirdOctaves.begin(), thirdOctaves.end());
constexpr double endless = std::numeric_limits<double>::infinity();

struct LevelCase
{
    const char* name;
    Design design;
    // Empty: the first group alone; else the sum, connected so.
    std::vector<bool> inverted;
    std::vector<double> frequencies;
    double lowest, highest; // dB
};

class LevelTest : public testing::TestWithParam<LevelCase>
{
};

TEST_P(LevelTest, LiesWhereABuilderWorksItOut)
{
    const LevelCase& row = GetParam();
    const Response response = responseOf(row.design);
    for (double frequency : row.frequencies) {
        const double dB = level(row.inverted.empty() ? response.transfer(0, frequency)
                                                     : response.sum(row.inverted, frequency));
        EXPECT_GE(dB, row.lowest) << frequency << " Hz";
        EXPECT_LE(dB, row.highest) << frequency << " Hz";
    }
}

INSTANTIATE_TEST_SUITE_P(Responses, LevelTest,
                         testing::Values(LevelCase{"FirstOrderWooferAtItsCorner",
                                                   {Slope::First, woofer(3000, 8)},
                                                   {},
                                                   {3000},
                                                   -3.05,
                                                   -2.95},
                                         LevelCase{"FirstOrderWooferAnOctaveOn",
                                                   {Slope::First, woofer(3000, 8)},
                                                   {},
                                                   {6000},
                                                   -7.05,
                                                   -6.95},
                                         LevelCase{"SecondOrderPairInPhaseCancelsAtTheCrossover",
                                                   {Slope::Second, wooferAndTweeter(1000, 8)},
                                                   {false, false},
                                                   {1000},
                                                   -endless,
                                                   -40},
                                         LevelCase{
                                             "SecondOrderPairWithTheTweeterInvertedRisesBy3dB",
                                             {Slope::Second, wooferAndTweeter(1000, 8)},
                                             {false, true},
                                             {1000},
                                             2.95,
                                             3.05},
                                         LevelCase{"ThirdOrderPairSumsFlat",
                                                   {Slope::Third, wooferAndTweeter(1000, 8)},
                                                   {false, false},
                                                   allThirdOctaves,
                                                   -0.01,
                                                   0.01},
                                         LevelCase{"ThirdOrderPairSumsFlatInverted",
                                                   {Slope::Third, wooferAndTweeter(1000, 8)},
                                                   {false, true},
                                                   allThirdOctaves,
                                                   -0.01,
                                                   0.01}),
                         [](const auto& info) { return info.param.name; });

TEST(Response, ThirdOrderMidrangeShuntIsL3AndC3InParallel)
{
    // Where L3 and C3 resonate, the branch across the line takes no current:
    // the loudspeaker sees the five series parts alone.
    const Design design{Slope::Third, midrange(500, 3000, 8), 1};
    const Response response = responseOf(design);
    const Crossover& described = crossover(Slope::Third);
    const Calculation calculation = described.calculate(design.values, ".");
    const auto value = [&](std::string_view label) {
        for (const ResultValue& result : calculation.results) {
            const Result& component = described.results[result.result];
            if (component.group == Group::Midrange && component.label == label)
                return result.value;
        }
        return 0.0;
    };
    const double frequency =
        1 / (2 * std::numbers::pi * std::sqrt(value("L3") * 1e-3 * value("C3") * 1e-6));
    const std::complex<double> jw(0, 2 * std::numbers::pi * frequency);
    const std::complex<double> chain = 8.0 + 1.0 / (jw * value("C1") * 1e-6) +
                                       jw * value("L1") * 1e-3 + 1.0 / (jw * value("C2") * 1e-6) +
                                       jw * value("L2") * 1e-3;
    const std::complex<double> expected = 8.0 / chain;
    EXPECT_NEAR(std::abs(response.transfer(0, frequency) - expected), 0, 1e-9);
}

struct PolarityCase
{
    const char* name;
    Design design;
    std::vector<bool> inverted;
};

class PolarityTest : public testing::TestWithParam<PolarityCase>
{
};

TEST_P(PolarityTest, SumsFlattest)
{
    EXPECT_EQ(choosePolarity(responseOf(GetParam().design)), GetParam().inverted);
}

Values threeWay()
{
    Values values = wooferAndTweeter(500, 8);
    values.fc3 = 3000;
    values.fc1 = 500;
    values.fc2 = 3000;
    values.rvg1 = 8;
    return values;
}

INSTANTIATE_TEST_SUITE_P(
    Responses, PolarityTest,
    testing::Values(
        PolarityCase{"SecondOrderTweeterInverted",
                     {Slope::Second, wooferAndTweeter(1000, 8)},
                     {false, true}},
        // Both are flat: the one with nothing inverted.
        PolarityCase{"ThirdOrderAsItIs", {Slope::Third, wooferAndTweeter(1000, 8)}, {false, false}},
        PolarityCase{
            "SecondOrderMidrangeInverted", {Slope::Second, threeWay(), 1}, {false, true, false}},
        PolarityCase{"OneGroupAsItIs", {Slope::First, woofer(3000, 8)}, {false}}),
    [](const auto& info) { return info.param.name; });

struct PointsCase
{
    const char* name;
    Design design;
    std::vector<std::optional<int>> points;
};

class Minus3dBTest : public testing::TestWithParam<PointsCase>
{
};

TEST_P(Minus3dBTest, FallsWhereTheLevelPasses3dB)
{
    EXPECT_EQ(minus3dBPoints(responseOf(GetParam().design), 0), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(
    Responses, Minus3dBTest,
    testing::Values(
        PointsCase{"FirstOrderWooferAtItsCorner", {Slope::First, woofer(3000, 8)}, {3000}},
        // 6.28 for 2 pi makes the coil larger and the corner a twentieth of a per
        // cent lower.
        PointsCase{"FirstOrderWooferAsCalculated", {Slope::First, woofer(3000, 8), 1}, {2998}},
        // A series resonant circuit: |f/fc2 - fc1/f| = 1 at 436.5 and 3436.5 Hz.
        PointsCase{"FirstOrderMidrange", {Slope::First, midrange(500, 3000, 8)}, {436, 3436}},
        PointsCase{"ThirdOrderTweeter",
                   {Slope::Third,
                    [] {
                        Values values;
                        values.fc3 = 5000;
                        values.rvg2 = 6;
                        return values;
                    }()},
                   {5000}},
        // Its shunt branch a thousand times too large a capacitor: the band
        // never comes within 3 dB.
        PointsCase{"MidrangeTooNarrow",
                   {Slope::Third, midrange(500, 800, 8), exactParts, "C3", 1000},
                   {std::nullopt, std::nullopt}}),
    [](const auto& info) { return info.param.name; });

} // namespace
