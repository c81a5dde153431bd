// Small plans whose best answer is known by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "calc/dense/check_plan.h"
#include "calc/dense/dense_pack.h"

namespace stowbel::dense {
namespace {

std::vector<Extent> AllSixWays(std::int64_t a, std::int64_t b, std::int64_t c) {
    std::vector<Extent> all;
    for (const Extent& e : {Extent{a, b, c}, Extent{b, a, c}, Extent{a, c, b}, Extent{c, a, b},
                            Extent{b, c, a}, Extent{c, b, a}})
        if (std::find(all.begin(), all.end(), e) == all.end())
            all.push_back(e);
    return all;
}

BoxKind Kind(std::vector<Extent> orientations, int quantity) {
    BoxKind k;
    k.orientations = std::move(orientations);
    k.quantity = quantity;
    return k;
}

BoxKind Heavy(BoxKind k, double mass, std::optional<double> loadLimit = {}) {
    k.unitMass = mass;
    k.loadLimit = loadLimit;
    return k;
}

Hold Box(std::int64_t length, std::int64_t width, std::int64_t height) {
    Hold h;
    h.length = length;
    h.width = width;
    h.height = height;
    return h;
}

Hold With(Hold h, std::int64_t gap, std::int64_t clearance = 0) {
    h.gap = gap;
    h.sideClearance = clearance;
    return h;
}

Hold WithPayload(Hold h, double payload) {
    h.payload = payload;
    return h;
}

Hold WithObstacle(Hold h, Obstacle o) {
    h.obstacles.push_back(o);
    return h;
}

struct Case {
    std::string name;
    Hold hold;
    std::vector<BoxKind> kinds;
    int boxes;                 // the most that fit, by hand
    std::int64_t highestBase;  // the highest base any box has; -1 when several are right
};

std::vector<Case> Cases() {
    const BoxKind cube500 = Kind({{500, 500, 500}}, 100);
    return {
        {"TypesFitOnlyStackedOnEachOther",
         Box(1000, 1000, 1000),
         {Kind({{1000, 1000, 400}}, 1), Kind({{600, 600, 600}}, 1)},
         2,
         400},
        {"PinwheelOfIndustrialPalletsIn20Foot",
         Box(5898, 2352, 1500),
         {Kind({{1200, 1000, 1500}, {1000, 1200, 1500}}, 20)},
         10,
         0},
        {"EuroPalletsIn20Foot",
         Box(5898, 2352, 1500),
         {Kind({{1200, 800, 1500}, {800, 1200, 1500}}, 20)},
         11,
         0},
        {"BoxFitsOnlyLyingOnItsSide",
         Box(1000, 1000, 300),
         {Kind(AllSixWays(500, 800, 200), 5)},
         2,
         0},
        {"PayloadStopsTheLoad",
         WithPayload(Box(2000, 2000, 2000), 450),
         {Heavy(cube500, 100)},
         4,
         -1},
        {"LoadLimitZeroGivesOneTier", Box(1000, 1000, 1500), {Heavy(cube500, 10, 0.0)}, 4, 0},
        {"LoadLimitOfOneUnitGivesTwoTiers",
         Box(1000, 1000, 1500),
         {Heavy(cube500, 10, 10.0)},
         8,
         500},
        {"ObstacleTakesTheFrontHalf",
         WithObstacle(Box(2000, 1000, 1000), {0, 0, 1000, 1000, 1000}),
         {cube500},
         8,
         500},
        {"GapLeavesRoomForFourColumns",
         With(Box(1000, 1000, 1000), 40),
         {Kind({{480, 480, 500}}, 100)},
         8,
         500},
        {"GapTooWideForTwoSideBySide",
         With(Box(1000, 1000, 500), 50),
         {Kind({{480, 480, 500}}, 100)},
         1,
         0},
        {"SideClearanceLeavesRoomForTwoAcross",
         With(Box(500, 1000, 500), 0, 10),
         {Kind({{500, 490, 500}}, 100)},
         2,
         0},
        {"SideClearanceLeavesRoomForOneAcross",
         With(Box(500, 1000, 500), 0, 11),
         {Kind({{500, 490, 500}}, 100)},
         1,
         0},
    };
}

class DenseCaseTest : public testing::TestWithParam<Case> {};

TEST_P(DenseCaseTest, PlacesTheMostThatFitAndKeepsTheRules) {
    const Case& c = GetParam();
    SearchLimits limits;
    limits.stepBudget = 2000;
    const PackResult r = PackOne(c.hold, c.kinds, limits);
    EXPECT_EQ(CheckPlan(c.hold, c.kinds, r), std::vector<std::string>{});
    EXPECT_EQ(static_cast<int>(r.boxes.size()), c.boxes);
    std::int64_t highest = 0;
    for (const PlacedBox& b : r.boxes)
        highest = std::max(highest, b.z);
    if (c.highestBase >= 0) {
        EXPECT_EQ(highest, c.highestBase);
    }
}

INSTANTIATE_TEST_SUITE_P(Hand, DenseCaseTest, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<Case>& param) {
                             return param.param.name;
                         });

TEST(DensePackAllTest, NeedsAsManyContainersAsTheVolumeAndFillsEachBeforeTheNext) {
    const Hold hold = Box(1000, 1000, 1000);
    const std::vector<BoxKind> kinds{Kind({{500, 500, 500}}, 19)};
    SearchLimits limits;
    limits.stepBudget = 2000;
    const PackResult r = PackAll(hold, kinds, limits, 10);
    EXPECT_EQ(CheckPlan(hold, kinds, r), std::vector<std::string>{});
    ASSERT_EQ(r.containers, 3);
    ASSERT_EQ(r.boxes.size(), 19u);
    for (int container = 1; container <= 2; ++container)
        EXPECT_EQ(std::count_if(r.boxes.begin(), r.boxes.end(),
                                [&](const PlacedBox& b) { return b.container == container; }),
                  8);
}

TEST(DensePackAllTest, StopsAtTheMostContainersAllowed) {
    const Hold hold = Box(1000, 1000, 1000);
    const std::vector<BoxKind> kinds{Kind({{500, 500, 500}}, 19)};
    const PackResult r = PackAll(hold, kinds, SearchLimits{}, 2);
    EXPECT_EQ(r.containers, 2);
    EXPECT_EQ(r.boxes.size(), 16u);
}

TEST(DensePackTest, EqualVolumeGoesToTheEarlierKind) {
    const Hold hold = Box(500, 500, 500);
    const std::vector<BoxKind> kinds{Kind({{500, 500, 500}}, 1), Kind({{500, 500, 500}}, 1)};
    const PackResult r = PackOne(hold, kinds, SearchLimits{});
    ASSERT_EQ(r.boxes.size(), 1u);
    EXPECT_EQ(r.boxes[0].kind, 0);
}

TEST(DensePackTest, CancelledRunSaysSoAndKeepsTheRules) {
    const Hold hold = Box(5870, 2330, 2200);
    const std::vector<BoxKind> kinds{Kind(AllSixWays(430, 250, 310), 300),
                                     Kind(AllSixWays(700, 410, 330), 100)};
    SearchLimits limits;
    limits.cancelled = [] { return true; };
    const PackResult r = PackOne(hold, kinds, limits);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(CheckPlan(hold, kinds, r), std::vector<std::string>{});
}

}  // namespace
}  // namespace stowbel::dense
