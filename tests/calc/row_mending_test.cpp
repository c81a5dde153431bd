#include "calc/row_mending.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace stowbel {
namespace {

// A row of one stack: its block, its extent along the container, its extent across it as laid
// out, whether the alternation shifted it, and the move across the mending must give it.
struct RowCase {
    StackBlock block;
    std::int32_t x1, x2;
    std::int32_t y1, y2;
    bool displaced;
    std::int32_t expectedMove;
};

struct MendingCase {
    const char* name;
    AcrossLimits limits;
    std::vector<RowCase> rows;
};

std::ostream& operator<<(std::ostream& os, const MendingCase& c) {
    return os << c.name;
}

PlannedRow RowOf(const RowCase& c) {
    PlannedRow row;
    row.block = c.block;
    row.displaced = c.displaced;
    row.x1 = c.x1;
    row.x2 = c.x2;
    StackEvent stack;
    stack.block = c.block;
    stack.x1 = c.x1;
    stack.x2 = c.x2;
    stack.y1 = c.y1;
    stack.y2 = c.y2;
    row.stacks = {stack};
    row.slots = {1};
    return row;
}

class RowMendingTest : public testing::TestWithParam<MendingCase> {};

// The moves below are worked out by hand from the rules: the walls first, then a lane A (or
// block C) row and the lane B rows beside it are pulled apart to the lanes' gap, the shifted row
// giving way, else the one no wall moved, else the lane B row.
TEST_P(RowMendingTest, MovesRowsAcrossAsTheRulesSay) {
    const MendingCase& c = GetParam();
    std::vector<PlannedRow> rows;
    for (const RowCase& row : c.rows) {
        rows.push_back(RowOf(row));
    }
    MendRows(rows, c.limits);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].move, c.rows[i].expectedMove) << "row " << i;
        // Whatever moved, no stack leaves the container unless it is wider than the container.
        if (rows[i].High() - rows[i].Low() <= c.limits.high) {
            EXPECT_GE(rows[i].Low(), 0) << "row " << i;
            EXPECT_LE(rows[i].High(), c.limits.high) << "row " << i;
        }
    }
}

using B = StackBlock;

INSTANTIATE_TEST_SUITE_P(
    Rows, RowMendingTest,
    testing::Values(
        MendingCase{"RowsThatKeepTheRulesStay",
                    {2400, 20},
                    {{B::A, 0, 1000, 0, 1200, false, 0}, {B::B, 0, 1000, 1220, 2400, false, 0}}},
        MendingCase{
            "PastTheSecondWallMovesBack", {2400, 20}, {{B::A, 0, 1000, 1300, 2500, false, -100}}},
        MendingCase{"PastTheFirstWallMovesIn", {2400, 20}, {{B::A, 0, 1000, -50, 1150, false, 50}}},
        // Too wide for the container: it keeps the first wall, the stacks past the second are
        // left out later.
        MendingCase{"WiderThanTheContainerKeepsTheFirstWall",
                    {2400, 20},
                    {{B::A, 0, 1000, -100, 2500, false, 100}}},
        MendingCase{"OverlappingLanesTheLaneBRowGivesWay",
                    {2500, 20},
                    {{B::A, 0, 1000, 100, 1250, false, 0}, {B::B, 0, 1000, 1200, 2400, false, 70}}},
        // Lane B can go 20 mm before its wall; lane A takes the 30 mm that still overlap, not
        // the lanes' gap.
        MendingCase{
            "AtItsWallTheOtherRowMovesByWhatStillOverlaps",
            {2400, 20},
            {{B::A, 0, 1000, 100, 1250, false, -30}, {B::B, 0, 1000, 1200, 2380, false, 20}}},
        MendingCase{"TheShiftedRowGivesWay",
                    {2500, 20},
                    {{B::A, 0, 1000, 100, 1250, true, -70}, {B::B, 0, 1000, 1200, 2400, false, 0}}},
        MendingCase{
            "TheRowAWallMovedStaysAndPushes",
            {2500, 20},
            {{B::A, 0, 1000, 100, 1200, false, -70}, {B::B, 0, 1000, 1200, 2550, false, -50}}},
        MendingCase{
            "RowsThatShareNoLengthAreNotSeparated",
            {2500, 20},
            {{B::A, 0, 1000, 100, 1250, false, 0}, {B::B, 1000, 2000, 1200, 2400, false, 0}}},
        MendingCase{
            "ABlockCRowGivesWay",
            {2500, 20},
            {{B::B, 0, 1000, 1200, 2400, false, 0}, {B::C, 0, 1000, 100, 1250, false, -70}}},
        // Laid last over the full width, a block C row pushes nothing even where it cannot move.
        MendingCase{"ABlockCRowAtItsWallPushesNothing",
                    {2500, 20},
                    {{B::B, 0, 1000, 1200, 2400, false, 0}, {B::C, 0, 1000, 0, 1250, false, 0}}},
        MendingCase{"OneLaneARowBesideTwoLaneBRows",
                    {2500, 20},
                    {{B::A, 0, 2000, 100, 1250, false, 0},
                     {B::B, 0, 1000, 1200, 2400, false, 70},
                     {B::B, 1000, 2000, 1230, 2400, false, 40}}}),
    testing::PrintToStringParamName());

}  // namespace
}  // namespace stowbel
