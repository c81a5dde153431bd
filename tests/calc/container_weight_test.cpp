#include "calc/container_weight.h"

#include <gtest/gtest.h>

namespace stowbel {
namespace {

const NumberFormat kPoint{'.'};

PlacedStack Box(int container, int x1, int y1, int x2, int y2, double mass) {
    PlacedStack stack;
    stack.container = container;
    stack.x1 = x1;
    stack.y1 = y1;
    stack.x2 = x2;
    stack.y2 = y2;
    stack.count = 1;
    stack.mass = mass;
    return stack;
}

TEST(ContainerWeightTest, SymmetricLoadHasItsCentreInTheMiddle) {
    // Two equal stacks mirrored about the middle of a 2400 wide container.
    const std::vector<PlacedStack> stacks = {Box(1, 0, 0, 1200, 800, 500),
                                             Box(1, 0, 1600, 1200, 2400, 500)};
    const std::vector<ContainerWeight> loads = WeighContainers(stacks, 1, 26500);
    ASSERT_EQ(loads.size(), 1U);
    EXPECT_DOUBLE_EQ(*loads[0].mass, 1000);
    EXPECT_DOUBLE_EQ(*loads[0].cogX, 600);
    EXPECT_DOUBLE_EQ(*loads[0].cogY, 1200);
    EXPECT_EQ(ContainerWeightLine(loads[0], 2400, kPoint),
              "Конт. 1: 1000 кг (4 % от 26500 кг), центр тяжести 0.6 м от начала, по середине "
              "поперёк");
}

TEST(ContainerWeightTest, CentreIsTheMassWeightedMeanOfTheStackCentres) {
    // 300 kg centred at (600, 400), 100 kg at (1800, 1600): x = (180000 + 180000) / 400 = 900,
    // y = (120000 + 160000) / 400 = 700, 500 toward the first side wall of a 2400 container.
    const std::vector<PlacedStack> stacks = {Box(1, 0, 0, 1200, 800, 300),
                                             Box(1, 1200, 1200, 2400, 2000, 100),
                                             Box(2, 0, 0, 1000, 1000, 50)};
    const std::vector<ContainerWeight> loads = WeighContainers(stacks, 2, 1000);
    ASSERT_EQ(loads.size(), 2U);
    EXPECT_DOUBLE_EQ(*loads[0].cogX, 900);
    EXPECT_DOUBLE_EQ(*loads[0].cogY, 700);
    EXPECT_EQ(ContainerWeightLine(loads[0], 2400, kPoint),
              "Конт. 1: 400 кг (40 % от 1000 кг), центр тяжести 0.9 м от начала, 0.5 м от "
              "середины поперёк к первому борту");
    EXPECT_EQ(loads[1].container, 2);
    EXPECT_DOUBLE_EQ(*loads[1].mass, 50);
    EXPECT_EQ(ContainerWeightLine(loads[1], 800, kPoint),
              "Конт. 2: 50 кг (5 % от 1000 кг), центр тяжести 0.5 м от начала, 0.1 м от середины "
              "поперёк ко второму борту");
}

TEST(ContainerWeightTest, RoundAndLyingUnitsUseTheirOwnCentres) {
    PlacedStack drum;
    drum.shape = StackShape::Round;
    drum.x = 575;
    drum.y = 550;
    drum.count = 2;
    PlacedStack lying;
    lying.shape = StackShape::RoundLying;
    lying.x = 1000;
    lying.y = 25;
    lying.length = 1100;
    lying.count = 2;
    const FloorPoint standing = StackCentre(drum);
    const FloorPoint row = StackCentre(lying);
    EXPECT_EQ(standing.x, 575);
    EXPECT_EQ(standing.y, 550);
    EXPECT_EQ(row.x, 1000);
    EXPECT_EQ(row.y, 25 + 1100);  // two units end to end from y 25
}

TEST(ContainerWeightTest, UnknownMassesLeaveTheContainerMassUnknown) {
    PlacedStack unknown = Box(1, 0, 0, 100, 100, 0);
    unknown.mass.reset();
    const std::vector<ContainerWeight> loads =
        WeighContainers({Box(1, 0, 0, 100, 100, 5), unknown}, 1, std::nullopt);
    ASSERT_EQ(loads.size(), 1U);
    EXPECT_FALSE(loads[0].mass);
    EXPECT_FALSE(loads[0].cogX);
    EXPECT_FALSE(loads[0].payload);
}

TEST(ContainerWeightTest, AnEmptyContainerHasMassZeroAndNoCentre) {
    const std::vector<ContainerWeight> loads = WeighContainers({}, 1, 20000);
    ASSERT_EQ(loads.size(), 1U);
    EXPECT_DOUBLE_EQ(*loads[0].mass, 0);
    EXPECT_FALSE(loads[0].cogX);
    EXPECT_EQ(ContainerWeightLine(loads[0], 2450, NumberFormat{','}),
              "Конт. 1: 0 кг (0 % от 20000 кг)");
}

TEST(ContainerWeightTest, OneContainerIsWeighedFromItsOwnStacksAlone) {
    // Container 2: 300 kg at x 600 and 100 kg at x 1800, so x = 900; the others do not count.
    const std::vector<PlacedStack> stacks = {
        Box(1, 0, 0, 1200, 800, 5000), Box(2, 0, 0, 1200, 800, 300),
        Box(2, 1200, 0, 2400, 800, 100), Box(3, 0, 0, 1200, 800, 7000)};
    const ContainerWeight load = WeighContainer(stacks, 2, 1000);
    EXPECT_EQ(load.container, 2);
    EXPECT_EQ(load.payload, 1000);
    EXPECT_DOUBLE_EQ(*load.mass, 400);
    EXPECT_DOUBLE_EQ(*load.cogX, 900);
    EXPECT_DOUBLE_EQ(*load.cogY, 400);
    EXPECT_FALSE(WeighContainer(stacks, 4, 1000).cogX);
}

}  // namespace
}  // namespace stowbel
