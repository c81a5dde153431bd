#include "calc/fitting.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <optional>
#include <vector>

namespace stowbel {
namespace {

struct MixedCase {
    double a, b, W, L;
    std::vector<Count> countsByK;
    Count best;
    double bestK;
};

std::ostream& operator<<(std::ostream& os, const MixedCase& c) {
    return os << "a=" << c.a << " b=" << c.b << " W=" << c.W << " L=" << c.L;
}

class BestMixedBlockTest : public testing::TestWithParam<MixedCase> {};

TEST_P(BestMixedBlockTest, CountsEveryKAndKeepsTheFirstBest) {
    const MixedCase& c = GetParam();
    for (std::size_t k = 0; k < c.countsByK.size(); ++k) {
        EXPECT_EQ(CountMixedBlock(static_cast<Count>(k), c.a, c.b, c.W, c.L), c.countsByK[k])
            << "k = " << k;
    }
    double k = -1;
    EXPECT_EQ(BestMixedBlock(c.a, c.b, c.W, c.L, k), c.best);
    EXPECT_EQ(k, c.bestK);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, BestMixedBlockTest,
    testing::Values(MixedCase{1200, 800, 2450, 13600, {34, 28, 22, 33}, 34, 0},
                    MixedCase{1210, 810, 2450, 13600, {32, 27, 22, 33}, 33, 3},
                    MixedCase{1000, 1000, 2450, 5000, {10, 10, 10}, 10, 0},
                    // Narrower than b: only k = 0, units laid across counted when they fit.
                    MixedCase{900, 1100, 1000, 5000, {4}, 4, 0},
                    MixedCase{1200, 800, 700, 5000, {0}, 0, 0}));

TEST(CountMixedBlockTest, CountsDoNotWrapAt16Bits) {
    EXPECT_EQ(CountMixedBlock(0, 1, 1, 2350, 100000), 235000000);
}

struct RoundCase {
    double D, W, L;
    Count count;
    double angleDegrees;
};

std::ostream& operator<<(std::ostream& os, const RoundCase& c) {
    return os << "D=" << c.D << " W=" << c.W << " L=" << c.L;
}

class CountStaggeredRoundTest : public testing::TestWithParam<RoundCase> {};

TEST_P(CountStaggeredRoundTest, TakesTheBetterPattern) {
    const RoundCase& c = GetParam();
    double angle = -1;
    EXPECT_EQ(CountStaggeredRound(c.D, c.W, c.L, angle), c.count);
    EXPECT_NEAR(angle * 180 / M_PI, c.angleDegrees, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, CountStaggeredRoundTest,
    testing::Values(RoundCase{1000, 2450, 5000, 10, 26.7437},   // pattern S, asin(0.45)
                    RoundCase{600, 2450, 16100, 109, 30.9248},  // pattern A wins
                    RoundCase{1000, 2000, 5000, 10, 0},         // straight rows
                    RoundCase{1000, 1650, 5000, 6, 40.5416},    // g = 1, asin(0.65)
                    RoundCase{1000, 900, 5000, 0, 0},           // narrower than D
                    RoundCase{1000, 2450, 999, 0, 0}));         // shorter than D

TEST(CountStaggeredRoundTest, AngleOfPatternAIsExact) {
    double angle = 0;
    CountStaggeredRound(600, 2450, 16100, angle);
    EXPECT_DOUBLE_EQ(angle, std::asin(50.0 / 3600.0 + 0.5));
}

struct LengthCase {
    const char* name;
    Count quantity;
    bool square, turnAcross, standOnEnd;
    double W, Hc, a, b, h, gap;
    double length;  // expected, within 1e-6 mm
    bool laidOnEnd;
    std::optional<double>
        rowFigure;  // units per row or row angle by the shape; none: nothing counted
};

std::ostream& operator<<(std::ostream& os, const LengthCase& c) {
    return os << c.name;
}

class RequiredLengthTest : public testing::TestWithParam<LengthCase> {};

TEST_P(RequiredLengthTest, Length) {
    const LengthCase& c = GetParam();
    const FitResult fit = RequiredLength(
        {c.quantity, c.square, c.turnAcross, c.standOnEnd, c.W, c.Hc, c.a, c.b, c.h, c.gap});
    EXPECT_NEAR(fit.length, c.length, 1e-6);
    EXPECT_EQ(fit.laidOnEnd, c.laidOnEnd);
    // Each shape has its own figure and never the other's.
    const std::optional<double>& figure = c.square ? fit.unitsPerRow : fit.rowAngle;
    EXPECT_FALSE(c.square ? fit.rowAngle : fit.unitsPerRow);
    ASSERT_EQ(figure.has_value(), c.rowFigure.has_value());
    if (c.rowFigure) {
        EXPECT_NEAR(*figure, *c.rowFigure, 1e-12);
    }
}

const double kSearchStart = 20.0 * 1200 * 800 / 2350;

INSTANTIATE_TEST_SUITE_P(
    Types, RequiredLengthTest,
    testing::Values(
        LengthCase{"FixedOrientation", 20, true, false, false, 2350, 2200, 1200, 800, 2100, 0,
                   12000, false, 2},
        LengthCase{"FixedOrientationIgnoresStandOnEnd", 20, true, false, true, 2350, 2200, 1200,
                   800, 2100, 0, 12000, false, 2},
        // From the area bound in 10 mm steps; the count first holds 20 at start + 1430.
        LengthCase{"SearchIsTenMillimetresPastTheFit", 20, true, true, false, 2350, 2200, 1200, 800,
                   2100, 0, kSearchStart + 1440, false, 1},
        LengthCase{"StandOnEnd", 10, true, false, true, 2350, 2000, 1200, 800, 2100, 0, 10500, true,
                   2},
        // With a gap the stood unit's tier is its bare length and its cell its height + gap.
        LengthCase{"StandOnEndWithGap", 10, true, false, true, 2350, 2000, 1230, 830, 2100, 30,
                   10650, true, 2},
        LengthCase{"QuantityZero", 0, true, true, true, 2350, 2200, 1200, 800, 2100, 0, 0, false,
                   std::nullopt},
        // Stood on end the unit (2300) is taller than the container: the plain result stands.
        LengthCase{"SecondAttemptTooTall", 4, true, true, true, 2350, 2200, 2300, 800, 1000, 0,
                   3680000.0 / 2350 + 50, false, 0},
        LengthCase{"TallerThanContainerCountsNothing", 5, true, true, false, 2350, 2200, 1200, 800,
                   2300, 0, 0, false, std::nullopt},
        LengthCase{"WiderThanContainerEndsAtOnce", 5, true, true, false, 2350, 2200, 3000, 2500,
                   1000, 0, 0, false, std::nullopt},
        LengthCase{"DrumWiderThanContainerEndsAtOnce", 5, false, true, false, 2350, 2200, 2500,
                   2500, 1000, 0, 0, false, std::nullopt},
        // Drums 2300 long under a 2200 ceiling can only lie: units end to end across, one tier
        // (2350 / 2300), circles of 1000 across the 2200 height. From the area bound
        // 12 * pi * 500^2 / 2200 the search ends at the first length where staggered rows at
        // asin(200 / 1000) hold 12: (L - 1000) / (1000 cos) >= 5, 162 steps on, plus 10 mm.
        LengthCase{"LyingDrumsPackAcrossTheHeight", 12, false, false, true, 2350, 2200, 1000, 1000,
                   2300, 0, 12 * M_PI * 250000 / 2200 + 1630, true, std::asin(0.2)}),
    [](const testing::TestParamInfo<LengthCase>& p) { return p.param.name; });

// The search as written: one length per 10 mm from the area bound.
double LinearSearch(Count quantity, double W, double a, double b, long double tiers,
                    double& detail) {
    const long double start = std::ceil(quantity / tiers) * a * b / W;
    long double count = 0;
    long double step = 0;
    while (count * tiers < quantity) {
        count = static_cast<long double>(BestMixedBlock(a, b, W, start + step, detail));
        step += 10;
    }
    return static_cast<double>(start + step);
}

TEST(RequiredLengthTest, LongSearchesGallopToTheSameLength) {
    // Units 20 m long: the area bound is far below the length needed.
    for (const Count quantity : {Count{300}, Count{1001}, Count{4099}}) {
        const FitResult fit =
            RequiredLength({quantity, true, true, false, 2350, 2200, 20000, 800, 1000, 0});
        double expectedDetail = -1;
        EXPECT_EQ(fit.length, LinearSearch(quantity, 2350, 20000, 800, 2, expectedDetail))
            << quantity;
        EXPECT_EQ(fit.unitsPerRow, expectedDetail);
    }
}

TEST(RequiredLengthTest, ManySmallUnitsFinishAndHoldTheQuantity) {
    const double boxes =
        RequiredLength({65535, true, true, false, 2350, 2200, 110, 70, 200, 0}).length;
    // 11 tiers; the length must hold ceil(65535 / 11) stacks.
    double k = 0;
    EXPECT_GE(BestMixedBlock(110, 70, 2350, boxes - 10, k) * 11, 65535);
    double angle = 0;
    const double drums =
        RequiredLength({65535, false, true, false, 2350, 2200, 60, 60, 300, 0}).length;
    EXPECT_GE(CountStaggeredRound(60, 2350, drums - 10, angle) * 7, 65535);
    EXPECT_LT(CountStaggeredRound(60, 2350, drums - 20, angle) * 7, 65535);
}

}  // namespace
}  // namespace stowbel
