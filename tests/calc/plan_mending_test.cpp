// Plans that the rows and slots would leave unloadable, mended as little as possible, and plans
// at the edge of the rules that keep their laid-out positions to the millimetre.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "plan_rules.h"
#include "run_test_support.h"

namespace stowbel {
namespace {

struct Rect {
    int x1, x2, y1, y2, count;
    bool operator==(const Rect&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rect& r) {
    return os << "x " << r.x1 << ".." << r.x2 << " y " << r.y1 << ".." << r.y2 << " (" << r.count
              << ")";
}

std::vector<Rect> Rects(const RunResult& result) {
    std::vector<Rect> rects;
    for (const PlacedStack& s : result.stacks) {
        rects.push_back({s.x1, s.x2, s.y1, s.y2, s.count});
    }
    return rects;
}

void ExpectSound(const Calculated& c) {
    EXPECT_EQ(FindBrokenPlanRules(c.model.container, c.result), std::vector<std::string>{});
}

// A shifted row moves by RowSlack, here -96: it would start 30 mm beyond the first side wall.
// Moved back to touch the wall, it keeps its stacks' spacing; the count stays.
TEST(PlanMendingTest, ShiftedRowWithNegativeSlackIsMovedBackInside) {
    const Calculated c = Calculate(
        "2350,14846,2400,50,31,ISIN\n"
        "1140,1140,751,SQR,1,1,3\n");
    EXPECT_EQ(Rects(c.result),
              (std::vector<Rect>{{50, 1190, 0, 750, 2}, {50, 1190, 782, 1532, 1}}));
    EXPECT_EQ(c.result.report[1],
              " Укладка  от начала контейнера до 1.2 м. по длине к-ра, Укладываем ряд - 3 подд. "
              "поперёк контейнера, 2 подд. в высоту");
    ExpectSound(c);
}

// Rows of two counted from the full width 2300 but started at the clearance: unshifted rows
// would end at 2302, rows shifted by RowSlack -56 begin at -2. Each row moves 2 mm inside.
TEST(PlanMendingTest, RowsCountedFromTheFullWidthAreMovedInsideBothWalls) {
    const Calculated c = Calculate(
        "2300,12000,2100,30,48,ISIN\n"
        "1100,1100,2065,SQR,0,0,20\n");
    std::vector<Rect> expected;
    for (int r = 0; r < 10; ++r) {
        const int x1 = 30 + 1148 * r;
        const int y = r % 2 == 0 ? 0 : 52;  // odd rows (from 1) shifted
        expected.push_back({x1, x1 + 1100, y, y + 1100, 1});
        expected.push_back({x1, x1 + 1100, y + 1148, y + 2248, 1});
    }
    EXPECT_EQ(Rects(c.result), expected);
    EXPECT_EQ(c.result.report.back(),
              "Все поддоны влезают в 1 конт. И остаётся 0.5 м. свободного места по длине.");
    ExpectSound(c);
}

// With a gap of 50 a block of lane A (2 rows of 1250) is 50 mm longer than one of lane B
// (3 rows of 850); by row 7 of lane A the alternation has drifted so far that the shifted row
// would stand on the unshifted row 9 of lane B. It keeps its unshifted place; all else stays.
TEST(PlanMendingTest, ShiftedRowThatWouldStandOnTheOtherLaneKeepsItsUnshiftedPlace) {
    const Calculated c = Calculate(
        "2450,13620,2200,0,50,ISIN\n"
        "800,1200,471,SQR,1,0,113\n");
    std::vector<Rect> expected;
    for (int r = 1; r <= 10; ++r) {
        const bool shifted = r == 3 || r == 4 || r == 8;  // and row 7 before the mending
        const int y = shifted ? 375 : 25;
        expected.push_back({25 + 1250 * (r - 1), 1225 + 1250 * (r - 1), y, y + 800, 4});
    }
    for (int r = 1; r <= 16; ++r) {
        const bool shifted = ((r - 1) / 3) % 2 == 1;
        const int y = shifted ? 1225 : 875;
        expected.push_back({25 + 850 * (r - 1), 825 + 850 * (r - 1), y, y + 1200, 4});
    }
    EXPECT_EQ(Rects(c.result), expected);
    EXPECT_EQ(c.result.placed, 104);
    ExpectSound(c);
}

// Lane A of one unit laid along and lane B of one laid across, counted from the full width:
// unshifted, lane B would end at 2380 in a 2352 wide container; shifted by RowSlack -97,
// lane A would begin at -28. The wall moves that row 28 mm inside, and the other lane, which it
// would now overlap, moves with it to keep the 20 mm between the lanes.
TEST(PlanMendingTest, LaneMovedByAWallTakesTheOtherLaneAlong) {
    const Calculated c = Calculate(
        "2352,5898,2393,58,21,ISIN\n"
        "1145,1146,2132,SQR,0,0,10\n");
    std::vector<Rect> expected;
    for (int r = 0; r < 5; ++r) {  // lane A, every second row shifted
        const int y = r % 2 == 0 ? 40 : 0;
        const int width = r % 2 == 0 ? 1146 : 1144;  // the rounding of .5 to even
        expected.push_back({58 + 1167 * r, 1204 + 1167 * r, y, y + width, 1});
    }
    for (int r = 0; r < 5; ++r) {  // lane B
        const int y = r % 2 == 0 ? 1206 : 1164;
        expected.push_back({58 + 1166 * r, 1203 + 1166 * r, y, y + 1146, 1});
    }
    EXPECT_EQ(Rects(c.result), expected);
    // The length search counts one fixed row per 1167 mm; all ten fit, so the end is the
    // container's.
    EXPECT_EQ(c.result.report[1],
              " Укладка  от начала контейнера до 5.9 м. по длине к-ра, Укладываем ряд - 1 подд. "
              "вдоль контейнера, 1 подд. поперёк контейнера, 1 подд. в высоту");
    ExpectSound(c);
}

// Lane B shifted by RowSlack -36 would reach 2 mm into an unshifted lane A row beside it where
// the blocks of 3 lane A rows (835) and 4 lane B rows (635) have drifted apart: rows 8 and 16
// of lane B keep their unshifted place. Every other row keeps its shifted or unshifted place.
TEST(PlanMendingTest, ShiftedLaneBRowThatWouldStandOnLaneAKeepsItsUnshiftedPlace) {
    const Calculated c = Calculate(
        "2247,15981,2284,89,35,ISIN\n"
        "600,800,1801,SQR,1,0,56\n");
    std::vector<Rect> expected;
    for (int r = 1; r <= 17; ++r) {
        const bool shifted = ((r - 1) / 3) % 2 == 1;
        const int y = shifted ? 70 : 106;
        const int x1 = 89 + 835 * (r - 1);
        expected.push_back({x1, x1 + 800, y, y + 600, 1});
        expected.push_back({x1, x1 + 800, y + 636, y + 1236, 1});
    }
    for (int r = 1; r <= 22; ++r) {
        const bool shifted = ((r - 1) / 4) % 2 == 1 && r != 8 && r != 16;
        const int y = shifted ? 1340 : 1376;
        const int x1 = 89 + 635 * (r - 1);
        expected.push_back({x1, x1 + 600, y, y + 800, 1});
    }
    EXPECT_EQ(Rects(c.result), expected);
    ExpectSound(c);
}

// With the alternation off nothing is shifted and nothing needs mending.
TEST(PlanMendingTest, WithoutAlternationTheLanesNeverMeet) {
    const Calculated c = Calculate(
        "2450,13620,2200,0,50,ISIN\n"
        "800,1200,471,SQR,1,0,113\n",
        false);
    for (const PlacedStack& s : c.result.stacks) {
        EXPECT_TRUE(s.y1 == 25 || s.y1 == 875) << s.y1;
    }
    ExpectSound(c);
}

// Placed by the rows and slots, positions that keep the rules stay to the millimetre, even where
// they touch a wall or the other lane. front = max(0, c - g/2), reach = max(0, c - g).
struct ExactCase {
    const char* name;
    const char* order;
    std::vector<Rect> expected;
};

std::ostream& operator<<(std::ostream& os, const ExactCase& c) {
    return os << c.name;
}

std::vector<Rect> AcrossRowsOfTwo() {
    // 1200 x 1200 in 2450 with c = 50, g = 0: RowSlack = Round(2450 - 2400 - 100) = -50, so the
    // shifted rows (odd) begin exactly at the first wall and the others end exactly at the
    // second.
    std::vector<Rect> rects;
    for (int r = 0; r < 3; ++r) {
        const int x1 = 50 + 1200 * r;
        const int y = r % 2 == 0 ? 0 : 50;
        rects.push_back({x1, x1 + 1200, y, y + 1200, 1});
        if (rects.size() < 5) {
            rects.push_back({x1, x1 + 1200, y + 1200, y + 2400, 1});
        }
    }
    return rects;
}

std::vector<Rect> AlongRowsOfTwoWithinTheClearance() {
    // 1100 x 1100 in 2300 with c = 24 = g/2: rows of two from y 48 to 2296; RowSlack
    // = Round(2300 - 2296 - 48) = -44 puts the shifted rows (odd) at 4 to 2252. x from
    // front 0 + g/2.
    std::vector<Rect> rects;
    for (int r = 0; r < 2; ++r) {
        const int x1 = 24 + 1148 * r;
        const int y = r % 2 == 0 ? 4 : 48;
        rects.push_back({x1, x1 + 1100, y, y + 1100, 1});
        rects.push_back({x1, x1 + 1100, y + 1148, y + 2248, 1});
    }
    return rects;
}

std::vector<Rect> LanesThatTouchAfterDrifting() {
    // 800 x 1200 in 2350 with c = 100, g = 50: RowSlack = Round(2350 - 850 - 1250 - 200) = 50
    // is exactly the gap, so a shifted lane A row ends where an unshifted lane B row begins
    // (A row 7 against B row 9 at y 975). front = 75.
    std::vector<Rect> rects;
    for (int r = 1; r <= 10; ++r) {
        const bool shifted = ((r - 1) / 2) % 2 == 1;
        const int y = shifted ? 175 : 125;
        rects.push_back({100 + 1250 * (r - 1), 1300 + 1250 * (r - 1), y, y + 800, 4});
    }
    for (int r = 1; r <= 15; ++r) {
        const bool shifted = ((r - 1) / 3) % 2 == 1;
        const int y = shifted ? 1025 : 975;
        rects.push_back({100 + 850 * (r - 1), 900 + 850 * (r - 1), y, y + 1200, 4});
    }
    return rects;
}

class PlanKeptExactlyTest : public testing::TestWithParam<ExactCase> {};

TEST_P(PlanKeptExactlyTest, PositionsThatKeepTheRulesStay) {
    const Calculated c = Calculate(GetParam().order);
    EXPECT_EQ(Rects(c.result), GetParam().expected);
    ExpectSound(c);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, PlanKeptExactlyTest,
    testing::Values(ExactCase{"NegativeSlackReachingTheWall",
                              "2450,16100,2200,50,0,ISIN\n1200,1200,1200,SQR,1,0,5\n",
                              AcrossRowsOfTwo()},
                    ExactCase{"FullWidthRowsWithinTheClearance",
                              "2300,12000,2100,24,48,ISIN\n1100,1100,2065,SQR,0,0,4\n",
                              AlongRowsOfTwoWithinTheClearance()},
                    ExactCase{"DriftedLanesTouching",
                              "2350,13620,2200,100,50,ISIN\n800,1200,471,SQR,1,0,113\n",
                              LanesThatTouchAfterDrifting()}),
    [](const testing::TestParamInfo<ExactCase>& p) { return std::string(p.param.name); });

// 1093 wide units laid across in rows of two fill the container to 11494 mm. Block C begins
// after the last full row of lane A, which has no units here, at 11245: its stacks would stand
// on the last lane B row. They have no sound place, so those three units are left, and the
// report says so; the type's end is the length it would need.
TEST(PlanMendingTest, StacksOfBlockCOnLaneBAreLeft) {
    const Calculated c = Calculate(
        "2352,12032,2393,13,30,ISIN\n"
        "647,1093,917,SQR,1,0,71\n");
    EXPECT_EQ(c.result.placed, 68);
    ASSERT_EQ(c.result.stacks.size(), 34U);
    EXPECT_EQ(Rects(c.result).back(), (Rect{10847, 11494, 1231, 2324, 2}));
    EXPECT_EQ(c.result.report[1],
              " Укладка  от начала контейнера до 12.2 м. по длине к-ра, Укладываем ряд - 2 подд. "
              "поперёк контейнера, 2 подд. в высоту");
    EXPECT_EQ(c.result.report.back(),
              "Не все поддоны влезают в контейнер. Всего влезает 68 поддонов.");
    ExpectSound(c);
}

// Drums 1000 across, gap 50: units 989.95 apart along a line, every second 350 across. The
// walk lets the sixth unit of each line reach 6024.75, past the end wall at 6010: it is moved
// back to touch the wall, which keeps it more than a diameter from its neighbours.
TEST(PlanMendingTest, DrumPastTheEndWallIsMovedBackWhenItKeepsClear) {
    const Calculated c = Calculate(
        "2450,6010,2200,50,50,ISIN\n"
        "1000,1000,2000,RND,0,0,12\n");
    ASSERT_EQ(c.result.stacks.size(), 12U);
    const double along[] = {575, 1564.95, 2554.9, 3544.85, 4534.8, 5510};
    for (std::size_t i = 0; i < 12; ++i) {
        const PlacedStack& s = c.result.stacks[i];
        EXPECT_NEAR(s.x, along[i % 6], 0.01) << i;
        EXPECT_NEAR(s.y, (i < 6 ? 550 : 1550) + (i % 2 == 1 ? 350 : 0), 1e-9) << i;
    }
    EXPECT_EQ(c.result.report[1],
              "Заказ 1 -  (коричневый) 1000 х 1000 х 2000 - 12 мест  Укладка  от начала "
              "контейнера до 6.01 м. по длине к-ра, со смещением соседних рядов на угол 19°,  1 "
              "под. в высоту");
    EXPECT_EQ(c.result.report.back(),
              "Все поддоны влезают в 1 конт. И остаётся 0 м. свободного места по длине.");
    ExpectSound(c);
}

// Without a gap the sixth unit of a line touches the fifth: moved back it would overlap it, so
// it is skipped and two units are left.
TEST(PlanMendingTest, DrumPastTheEndWallThatCannotMoveBackIsLeft) {
    const Calculated c = Calculate(
        "2450,5700,2200,50,0,ISIN\n"
        "1000,1000,2000,RND,0,0,12\n");
    EXPECT_EQ(c.result.placed, 10);
    for (const PlacedStack& s : c.result.stacks) {
        EXPECT_LE(s.x + 500, 5700);
    }
    EXPECT_EQ(c.result.report.back(),
              "Не все поддоны влезают в контейнер. Всего влезает 10 поддонов.");
    ExpectSound(c);
}

// Lying drums walk across the height as standing ones walk across the width; the last of each
// line is moved back from the end wall (gap 50) or left (no gap) the same way.
TEST(PlanMendingTest, LyingDrumsPastTheEndWall) {
    const Calculated moved = Calculate(
        "2450,6290,2200,50,50,ISIN\n"
        "1000,1000,2300,RND,0,1,12\n");
    EXPECT_EQ(moved.result.placed, 12);
    ASSERT_EQ(moved.result.stacks.size(), 12U);
    EXPECT_NEAR(moved.result.stacks[5].x, 5790, 1e-9);
    EXPECT_NEAR(moved.result.stacks[11].x, 5790, 1e-9);
    EXPECT_NEAR(moved.result.stacks[4].x, 4755.91, 0.01);
    EXPECT_NE(moved.result.report[1].find("до 6.29 м. по длине"), std::string::npos);
    ExpectSound(moved);

    const Calculated left = Calculate(
        "2450,5920,2200,50,0,ISIN\n"
        "1000,1000,2300,RND,0,1,12\n");
    EXPECT_EQ(left.result.placed, 10);
    ExpectSound(left);
}

// The report never names a place past the container for a segment start or for a type whose
// units all found a place; a type with units left shows the length it would need.
TEST(ReportLengthTest, TypeThatFittedEndsAtTheContainerEnd) {
    std::string order;
    for (const std::string& line :
         Lines("2450,16100,2200,50,0,HMAN\n800,1200,2100,SQR,1,0,20\n1000,1200,2150,SQR,0,0,36\n"
               "800,1000,1000,SQR,1,0,50\n")) {
        order += line + "\n";
    }
    const Calculated c = Calculate(order + "1200,1200,1200,SQR,1,0,5\n");
    ASSERT_EQ(c.result.report.size(), 9U);
    EXPECT_EQ(c.result.report[7],
              " Укладка  от 10.41 м. до 16.1 м. по длине к-ра, Укладываем ряд - 2 подд. поперёк "
              "контейнера, 1 подд. в высоту");
    EXPECT_EQ(c.result.report[8],
              "Все поддоны влезают в 3 конт. И остаётся 0 м. свободного места по длине.");
    for (const PlacedStack& s : c.result.stacks) {
        if (s.line == 4) {
            EXPECT_LE(s.x2, 14061);
        }
    }

    // The next type begins behind the length the type before needed, past the container end.
    const Calculated next =
        Calculate(order + "1200,1200,1200,SQR,1,0,5\n800,1200,2100,SQR,1,0,2\n");
    ASSERT_EQ(next.result.report.size(), 11U);
    EXPECT_EQ(next.result.report[9],
              " Укладка  от 16.1 м. до конца контейнера, и  от начала контейнера до 1.2 м. по "
              "длине к-ра, Укладываем ряд - 1 подд. вдоль контейнера, 1 подд. поперёк "
              "контейнера, 1 подд. в высоту");
    EXPECT_EQ(next.result.report[10],
              "Все поддоны влезают в 4 конт. И остаётся 14.9 м. свободного места по длине.");
}

TEST(ReportLengthTest, TypeWithUnitsLeftShowsTheLengthItWouldNeed) {
    const Calculated c = Calculate(
        "2450,16100,2200,50,0,ISIN\n"
        "1000,1200,2150,SQR,0,0,36\n");
    EXPECT_NE(c.result.report[1].find("до 21.6 м. по длине"), std::string::npos);
    EXPECT_EQ(c.result.report.back(),
              "Не все поддоны влезают в контейнер. Всего влезает 26 поддонов.");
}

}  // namespace
}  // namespace stowbel
