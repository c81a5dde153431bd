// The plan checker finds each broken rule in plans made by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/dense/check_plan.h"

namespace stowbel::dense {
namespace {

struct BrokenPlan {
    std::string name;
    Hold hold;
    std::vector<BoxKind> kinds;
    std::vector<PlacedBox> boxes;  // container 1
    std::string finding;           // part of the expected violation
};

Hold Hold1000() {
    Hold h;
    h.length = 1000;
    h.width = 1000;
    h.height = 1000;
    return h;
}

BoxKind Cube(int quantity, std::optional<double> mass = {}, std::optional<double> limit = {}) {
    BoxKind k;
    k.orientations = {{500, 500, 500}};
    k.quantity = quantity;
    k.unitMass = mass;
    k.loadLimit = limit;
    return k;
}

PlacedBox At(std::int64_t x, std::int64_t y, std::int64_t z, Extent size = Extent{500, 500, 500}) {
    return {0, 1, x, y, z, size};
}

std::vector<BrokenPlan> Plans() {
    Hold gap = Hold1000();
    gap.gap = 10;
    Hold wideGap = gap;
    wideGap.length = 1010;
    BoxKind plank;
    plank.orientations = {{1010, 500, 100}};
    plank.quantity = 1;
    Hold clearance = Hold1000();
    clearance.sideClearance = 10;
    Hold payload = Hold1000();
    payload.payload = 15;
    Hold obstacle = Hold1000();
    obstacle.obstacles.push_back({0, 0, 500, 500, 300});
    return {
        {"Overlap", Hold1000(), {Cube(2)}, {At(0, 0, 0), At(250, 0, 0)}, "share volume"},
        {"Outside", Hold1000(), {Cube(1)}, {At(600, 0, 0)}, "outside"},
        {"InSideClearance", clearance, {Cube(1)}, {At(0, 0, 0)}, "side clearance"},
        {"Floating", Hold1000(), {Cube(1)}, {At(0, 0, 100)}, "not fully supported"},
        {"Overhanging",
         Hold1000(),
         {Cube(2)},
         {At(0, 0, 0), At(250, 0, 500)},
         "not fully supported"},
        {"BridgingAGap",
         wideGap,
         {Cube(2), plank},
         {At(0, 0, 0), At(510, 0, 0), {1, 1, 0, 0, 500, {1010, 500, 100}}},
         "not fully supported"},
        {"NearerThanTheGap", gap, {Cube(2)}, {At(0, 0, 0), At(505, 0, 0)}, "nearer than the gap"},
        {"OnAnObstacle", obstacle, {Cube(1)}, {At(0, 0, 300)}, "not fully supported"},
        {"OrientationNotAllowed",
         Hold1000(),
         {Cube(1)},
         {At(0, 0, 0, {500, 500, 400})},
         "orientation"},
        {"MoreThanTheQuantity", Hold1000(), {Cube(1)}, {At(0, 0, 0), At(500, 0, 0)}, "quantity"},
        {"HeavierThanThePayload",
         payload,
         {Cube(2, 10.0)},
         {At(0, 0, 0), At(500, 0, 0)},
         "payload"},
        {"CarriesTooMuch",
         Hold1000(),
         {Cube(2, 10.0, 5.0)},
         {At(0, 0, 0), At(0, 0, 500)},
         "load limit"},
        {"LoadedBeforeItsCarrier",
         Hold1000(),
         {Cube(2)},
         {At(0, 0, 500), At(0, 0, 0)},
         "which carries it"},
        {"LoadedBeforeABoxItBlocks",
         Hold1000(),
         {Cube(2)},
         {At(500, 0, 0), At(0, 0, 0)},
         "which it blocks"},
    };
}

class CheckPlanTest : public testing::TestWithParam<BrokenPlan> {};

TEST_P(CheckPlanTest, FindsTheBrokenRule) {
    const BrokenPlan& p = GetParam();
    PackResult plan;
    plan.containers = 1;
    plan.boxes = p.boxes;
    const std::vector<std::string> found = CheckPlan(p.hold, p.kinds, plan);
    ASSERT_FALSE(found.empty());
    bool named = false;
    for (const std::string& f : found)
        named = named || f.find(p.finding) != std::string::npos;
    EXPECT_TRUE(named) << found.front();
}

INSTANTIATE_TEST_SUITE_P(Hand, CheckPlanTest, testing::ValuesIn(Plans()),
                         [](const testing::TestParamInfo<BrokenPlan>& param) {
                             return param.param.name;
                         });

TEST(CheckPlanTest, LoadIsSharedByTheCarriedPartOfTheBase) {
    // A 10 kg box half on each of two boxes puts 5 kg on each: a limit of 5 holds, 4 does not.
    Hold hold = Hold1000();
    BoxKind carrier = Cube(2, 10.0, 5.0);
    BoxKind plank;
    plank.orientations = {{1000, 500, 100}};
    plank.quantity = 1;
    plank.unitMass = 10;
    PackResult plan;
    plan.containers = 1;
    plan.boxes = {At(0, 0, 0), At(500, 0, 0), {1, 1, 0, 0, 500, {1000, 500, 100}}};
    EXPECT_EQ(CheckPlan(hold, {carrier, plank}, plan), std::vector<std::string>{});
    carrier.loadLimit = 4.0;
    EXPECT_EQ(CheckPlan(hold, {carrier, plank}, plan).size(), 2u);
}

}  // namespace
}  // namespace stowbel::dense
