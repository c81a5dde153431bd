#include "calc/run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <ostream>

#include "../example_text.h"
#include "calc/report.h"
#include "order/errors.h"
#include "run_test_support.h"

namespace stowbel {
namespace {

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

std::vector<std::string> ReadLines(const std::string& name) {
    std::ifstream in(std::string(STOWBEL_TEST_DATA_DIR) + "/" + name);
    EXPECT_TRUE(in.good()) << name;
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t p = text.find(from); p != std::string::npos; p = text.find(from, p)) {
        text.replace(p, from.size(), to);
        p += to.size();
    }
    return text;
}

TEST(RunGoldenTest, BuiltInExamplesGiveTheirReports) {
    for (const auto& [name, file] : {std::pair{"HMAN", "example_hman_report.txt"},
                                     std::pair{"ISIN", "example_isin_report.txt"}}) {
        const Calculated c = Calculate(ExampleText(name));
        EXPECT_EQ(c.result.report, ReadLines(file)) << name;
    }
}

TEST(RunGoldenTest, WorkedExampleLineByLine) {
    const Calculated c = Calculate(ExampleText("HMAN"));
    const std::vector<std::string> expected{
        "Заказ 1 -  (коричневый) 1200 х 800 х 2100 - 20 мест ",
        " Укладка  от начала контейнера до 9.6 м. по длине к-ра, Укладываем ряд - 1 подд. вдоль "
        "контейнера, 1 подд. поперёк контейнера, 1 подд. в высоту",
        "Заказ 2 -  (зеленый) 1200 х 1000 х 2150 - 36 мест ",
        " Укладка  от 9.61 м. до конца контейнера, и  от начала контейнера до 15.6 м. по длине "
        "к-ра, Укладываем ряд - 2 подд. вдоль контейнера, 1 подд. в высоту",
        "Заказ 3 -  (оливковый) 1000 х 800 х 1000 - 50 мест ",
        " Укладка  от 15.6 м. до конца контейнера, и  от начала контейнера до 10.4 м. по длине "
        "к-ра, Укладываем ряд - 2 подд. поперёк контейнера, 2 подд. в высоту",
        "Все поддоны влезают в 3 конт. И остаётся 5.7 м. свободного места по длине."};
    EXPECT_EQ(c.result.report, expected);
    EXPECT_EQ(c.result.containers, 3);
    EXPECT_EQ(c.result.placed, 106);

    const Calculated comma = Calculate(ExampleText("HMAN"), true, ',');
    std::string text = Join(expected);
    for (const char* number : {"9.6", "9.61", "15.6", "10.4", "5.7"}) {
        text = Replace(text, std::string(number) + " ", Replace(number, ".", ",") + " ");
    }
    EXPECT_EQ(Join(comma.result.report), text);
}

// Placement of the worked example's first type, container 2450 x 16100 x 2200, clearance 50.
constexpr const char* kFirstType =
    "2450,16100,2200,50,0,HMAN\n"
    "800,1200,2100,SQR,1,0,20\n";

struct Rect {
    int x1, y1, x2, y2;
    bool operator==(const Rect&) const = default;
};

std::vector<Rect> Rects(const RunResult& result, int line, int container = 1) {
    std::vector<Rect> rects;
    for (const PlacedStack& s : result.stacks) {
        if (s.line == line && s.container == container) {
            rects.push_back({s.x1, s.y1, s.x2, s.y2});
        }
    }
    return rects;
}

TEST(RectangularPlacementTest, AlternatingRowsOfTheFirstType) {
    const Calculated c = Calculate(kFirstType);
    const std::vector<Rect> rects = Rects(c.result, 1);
    ASSERT_EQ(rects.size(), 20U);
    // Block A: rows in pairs, the second pair pushed against the far wall by RowSlack 350.
    const int aY[] = {50, 50, 400, 400, 50, 50, 400, 400};
    for (int r = 0; r < 8; ++r) {
        EXPECT_EQ(rects[static_cast<std::size_t>(r)],
                  (Rect{50 + 1200 * r, aY[r], 1250 + 1200 * r, aY[r] + 800}))
            << "row " << r + 1;
    }
    // Block B: three rows at 850-2050, then three shifted to 1200-2400.
    for (int r = 0; r < 12; ++r) {
        const int y = (r / 3) % 2 == 1 ? 1200 : 850;
        EXPECT_EQ(rects[static_cast<std::size_t>(8 + r)],
                  (Rect{50 + 800 * r, y, 850 + 800 * r, y + 1200}))
            << "row " << r + 1;
    }
}

TEST(RectangularPlacementTest, WithoutAlternationEveryRowKeepsItsLane) {
    const Calculated c = Calculate(kFirstType, false);
    const std::vector<Rect> rects = Rects(c.result, 1);
    ASSERT_EQ(rects.size(), 20U);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(rects[i].y1, 50);
    }
    for (std::size_t i = 8; i < 20; ++i) {
        EXPECT_EQ(rects[i].y1, 850);
    }
}

TEST(RectangularPlacementTest, OneLaneAlternatesRowByRowAndStopsAtTheContainerEnd) {
    const Calculated c = Calculate(ExampleText("HMAN"));
    const std::vector<Rect> rects = Rects(c.result, 4, 1);
    ASSERT_EQ(rects.size(), 10U);  // rows 1 to 5 of 18 fit behind 9610.21
    EXPECT_EQ(rects[0], (Rect{9660, 400, 10860, 1400}));
    EXPECT_EQ(rects[1], (Rect{9660, 1400, 10860, 2400}));
    EXPECT_EQ(rects[2], (Rect{10860, 50, 12060, 1050}));
    EXPECT_EQ(rects[3], (Rect{10860, 1050, 12060, 2050}));
    EXPECT_EQ(Rects(c.result, 4, 2).size(), 26U);
}

TEST(RectangularPlacementTest, LastStackTakesOnlyTheUnitsLeftAndLabelsNeedTwo) {
    const Calculated c = Calculate(
        "2450,16100,2200,50,0,ISIN\n"
        "800,1000,1000,SQR,1,0,5\n");
    ASSERT_EQ(c.log.stacks.size(), 3U);
    const std::vector<Rect> expected{
        {50, 400, 850, 1400}, {50, 1400, 850, 2400}, {850, 50, 1650, 1050}};
    const std::vector<int> counts{2, 2, 1};
    for (std::size_t i = 0; i < 3; ++i) {
        const StackEvent& s = c.log.stacks[i];
        EXPECT_EQ((Rect{s.x1, s.y1, s.x2, s.y2}), expected[i]);
        EXPECT_EQ(s.count, counts[i]);
        EXPECT_EQ(s.labelled, counts[i] == 2);
        EXPECT_EQ(s.block, StackBlock::B);
    }
    EXPECT_EQ(c.result.placed, 5);
}

TEST(RectangularPlacementTest, StoodOnEndIsLaidWithLengthAndHeightExchanged) {
    const Calculated c = Calculate(
        "2450,16100,2000,50,0,ISIN\n"
        "800,1200,2100,SQR,0,1,10\n");
    EXPECT_EQ(c.result.report[1],
              " Укладка  от начала контейнера до 10.5 м. по длине к-ра, Укладываем ряд - 2 подд. "
              "вдоль контейнера, 1 подд. в высоту");
    EXPECT_EQ(c.result.report[2], "Укладка торцем");
    const std::vector<Rect> rects = Rects(c.result, 1);
    ASSERT_EQ(rects.size(), 10U);
    EXPECT_EQ(rects[0].x2 - rects[0].x1, 2100);
    for (const PlacedStack& s : c.result.stacks) {
        EXPECT_TRUE(s.onEnd);
        EXPECT_EQ(s.unitHeight, 1200);
    }
}

// The run stands a type on end and carries a remainder into next containers on its own copy of
// the cargo entries: the model it is given keeps the order as read, and runs again the same.
TEST(RunInputTest, TheCallersModelKeepsTheOrderAsRead) {
    const std::string order =
        "2450,16100,2000,50,0,HMAN\n"
        "800,1200,2100,SQR,0,1,10\n"
        "1000,1200,1900,SQR,0,0,100\n";
    Calculated c = Calculate(order);
    ASSERT_EQ(c.result.report[2], "Укладка торцем");
    ASSERT_GT(c.result.containers, 2);  // the second type went on into next containers
    const CargoType& onEnd = c.model.cargo.at(1);
    EXPECT_EQ(onEnd.Length, 1200);
    EXPECT_EQ(onEnd.Height, 2100);
    EXPECT_EQ(onEnd.Quantity, 10);
    const CargoType& carried = c.model.cargo.at(2);
    EXPECT_EQ(carried.Length, 1200);
    EXPECT_EQ(carried.Height, 1900);
    EXPECT_EQ(carried.Quantity, 100);

    RunResult again;
    RunCalculation(Lines(order), c.model, RunOptions{}, c.log, again);
    EXPECT_EQ(again.report, c.result.report);
    EXPECT_EQ(c.model.cargo.at(2).Quantity, 100);
}

// What each stack says about its cargo, counted by hand from the worked example: type 1 lies
// 8 stacks along and 12 across, type 2 along in two containers, type 3 across in the third.
TEST(PlacedStackTest, StacksNameTheirTypeColourAndHowTheyLie) {
    const Calculated c = Calculate(ExampleText("HMAN"));
    struct Expected {
        int line, container, type, colourIndex, along, across;
        double unitHeight;
    };
    const Expected table[] = {{3, 1, 1, 0, 8, 12, 2100},
                              {4, 1, 2, 1, 10, 0, 2150},
                              {4, 2, 2, 1, 26, 0, 2150},
                              {5, 3, 3, 2, 0, 25, 1000}};
    std::size_t seen = 0;
    for (const Expected& e : table) {
        int along = 0;
        int across = 0;
        for (const PlacedStack& s : c.result.stacks) {
            if (s.line != e.line || s.container != e.container) {
                continue;
            }
            ++seen;
            (s.across ? across : along) += 1;
            EXPECT_EQ(s.type, e.type);
            EXPECT_EQ(s.colourIndex, e.colourIndex);
            EXPECT_EQ(s.unitHeight, e.unitHeight);
            EXPECT_FALSE(s.onEnd);
            // Laid along, the unit's length runs along the container.
            EXPECT_EQ(s.x2 - s.x1 > s.y2 - s.y1, !s.across) << s.x1 << "," << s.y1;
        }
        EXPECT_EQ(along, e.along) << "line " << e.line << " container " << e.container;
        EXPECT_EQ(across, e.across) << "line " << e.line << " container " << e.container;
    }
    EXPECT_EQ(seen, c.result.stacks.size());
}

TEST(RoundPlacementTest, StaggeredLinesOfStandingDrums) {
    const Calculated c = Calculate(
        "2450,16100,2200,50,50,ISIN\n"
        "1000,1000,2000,RND,0,0,10\n");
    const double expected[][2] = {{575, 550},     {1564.9, 900}, {2554.9, 550},  {3544.8, 900},
                                  {4534.8, 550},  {575, 1550},   {1564.9, 1900}, {2554.9, 1550},
                                  {3544.8, 1900}, {4534.8, 1550}};
    ASSERT_EQ(c.result.stacks.size(), 10U);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(c.result.stacks[i].shape, StackShape::Round);
        EXPECT_NEAR(c.result.stacks[i].x, expected[i][0], 0.1) << i;
        EXPECT_NEAR(c.result.stacks[i].y, expected[i][1], 0.1) << i;
    }
}

// The worked drum example: the drums end well before the end wall, so the mending leaves the
// walk's positions as they are; the last one touches the far side wall exactly and is placed.
TEST(RoundPlacementTest, ExactTouchAtTheFarSideIsPlaced) {
    const Calculated c = Calculate(
        "2450,16100,2200,50,50,ISIN\n"
        "1000,1000,1000,RND,0,0,10\n");
    const double expected[][2] = {
        {575, 550}, {1357.6, 1250}, {2140.2, 550}, {575, 1950}, {2140.2, 1950}};
    ASSERT_EQ(c.result.stacks.size(), 5U);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(c.result.stacks[i].x, expected[i][0], 0.1) << i;
        EXPECT_NEAR(c.result.stacks[i].y, expected[i][1], 0.1) << i;
        EXPECT_EQ(c.result.stacks[i].count, 2);
    }
    EXPECT_EQ(c.result.placed, 10);
    EXPECT_NE(c.result.report[1].find("на угол 41°,  2 под. в высоту"), std::string::npos);
}

TEST(RoundPlacementTest, LyingDrumsAgreeWithTheCountAndAreReportedOnEnd) {
    const Calculated c = Calculate(
        "2450,16100,2200,50,0,ISIN\n"
        "1000,1000,2300,RND,0,1,12\n");
    EXPECT_EQ(c.result.placed, 12);
    ASSERT_FALSE(c.result.stacks.empty());
    for (const PlacedStack& s : c.result.stacks) {
        EXPECT_EQ(s.shape, StackShape::RoundLying);
        EXPECT_GE(s.z, 500 - 1e-6);   // the axis keeps a radius below the ceiling
        EXPECT_LE(s.z, 1700 + 1e-6);  // and above the floor
        EXPECT_LE(s.x + 500, 16100);
        EXPECT_TRUE(s.onEnd);
    }
    EXPECT_EQ(c.result.report.size(), 4U);
    EXPECT_EQ(c.result.report[2], "Укладка торцем");
    EXPECT_NE(std::count(c.log.events.begin(), c.log.events.end(), "lying"), 0);
}

TEST(RunReportTest, NoCargoLineGivesTheSummaryAlone) {
    const Calculated c = Calculate("//header\n2450,16100,2200,50,0,HMAN\n// nothing else\n");
    EXPECT_EQ(c.result.report,
              (std::vector<std::string>{
                  "Все поддоны влезают в 0 конт. И остаётся 16.1 м. свободного места по длине."}));
    EXPECT_EQ(c.result.containers, 0);
}

TEST(RunReportTest, NoContainerLineChangesNothing) {
    const Calculated c = Calculate("// only comments\n\n");
    EXPECT_FALSE(c.result.calculated);
    EXPECT_TRUE(c.log.events.empty());
}

TEST(RunReportTest, IsinStopsAtTheFirstTypeThatDoesNotFit) {
    const Calculated c = Calculate(
        "2450,16100,2200,50,0,ISIN\n"
        "1000,1200,2150,SQR,0,0,36\n"
        "this line is never read\n");
    ASSERT_EQ(c.result.report.size(), 3U);
    EXPECT_NE(c.result.report[1].find("до 21.6 м. по длине"), std::string::npos);
    EXPECT_EQ(c.result.report[2], "Не все поддоны влезают в контейнер. Всего влезает 26 поддонов.");
}

TEST(RunReportTest, SingleTypeThatFits) {
    const Calculated c = Calculate(
        "2450,16100,2200,50,0,ISIN\n"
        "800,1200,2100,SQR,1,0,20\n");
    EXPECT_EQ(c.result.report.back(),
              "Все поддоны влезают в 1 конт. И остаётся 6.5 м. свободного места по длине.");
}

TEST(RunReportTest, IdblWritesNoOrderLineFromTheThirdTypeAndItDoesNotGoOn) {
    const Calculated c = Calculate(
        "2450,16100,2200,50,0,IDBL\n"
        "800,1200,2100,SQR,1,0,2\n"
        "800,1200,2100,SQR,1,0,2\n"
        "1000,1200,2150,SQR,0,0,40\n");
    ASSERT_EQ(c.result.report.size(), 6U);
    EXPECT_TRUE(c.result.report[4].starts_with(" Укладка"));
    EXPECT_TRUE(c.result.report[5].starts_with("Не все поддоны"));
    EXPECT_EQ(c.result.containers, 1);
}

TEST(RunReportTest, SeventeenthTypeTakesTheFirstColourAgain) {
    std::string order = "2450,16100,2200,50,0,HMAN\n";
    for (int i = 0; i < 17; ++i) {
        order += "100,100,100,SQR,1,0,1\n";
    }
    const Calculated c = Calculate(order);
    EXPECT_TRUE(c.result.report[30].starts_with("Заказ 16 -  (тёмно-серый)"));
    EXPECT_TRUE(c.result.report[32].starts_with("Заказ 17 -  (коричневый)"));
}

TEST(RunReportTest, RowAngleTakesTheSmallerSide) {
    EXPECT_EQ(RowAngleDegrees(0.5), 28);
    EXPECT_EQ(RowAngleDegrees(1.2), 21);
    EXPECT_EQ(RowAngleDegrees(0), 0);
}

// A type that fits nowhere is reported with the units per row of the type before it.
TEST(RunReportTest, TypeWithoutTierKeepsThePreviousUnitsPerRow) {
    const Calculated c = Calculate(
        "2450,16100,2200,50,0,ISIN\n"
        "800,1200,2100,SQR,1,0,20\n"
        "800,1200,2300,SQR,1,0,2\n");
    EXPECT_NE(c.result.report[3].find("Укладываем ряд - 1 подд. вдоль контейнера"),
              std::string::npos);
    EXPECT_EQ(c.result.report.back(),
              "Не все поддоны влезают в контейнер. Всего влезает 20 поддонов.");
}

struct VerdictCase {
    const char* name;
    const char* cargoLine;
    const char* summary;
};

std::ostream& operator<<(std::ostream& os, const VerdictCase& c) {
    return os << c.name;
}

class RunFitVerdictTest : public testing::TestWithParam<VerdictCase> {};

// Whether a type fits is decided by the units placed, the same in ISIN and HMAN mode, and never
// begins a container that takes nothing.
TEST_P(RunFitVerdictTest, SummaryFollowsTheUnitsPlaced) {
    for (const char* mode : {"ISIN", "HMAN"}) {
        const Calculated c = Calculate(std::string("2450,8010,2200,0,0,") + mode + "\n" +
                                       GetParam().cargoLine + "\n");
        EXPECT_EQ(c.result.report.back(), GetParam().summary) << mode;
        EXPECT_EQ(c.result.containers, 1) << mode;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, RunFitVerdictTest,
    testing::Values(
        // The length the fitting asks for runs past the end, yet every unit finds a place.
        VerdictCase{"LengthPassesTheEndButAllArePlaced", "800,1200,2100,SQR,1,0,20",
                    "Все поддоны влезают в 1 конт. И остаётся 0 м. свободного места по длине."},
        VerdictCase{"TallerThanTheContainer", "800,1200,2300,SQR,1,0,5",
                    "Не все поддоны влезают в контейнер. Всего влезает 0 поддонов."}),
    [](const testing::TestParamInfo<VerdictCase>& p) { return std::string(p.param.name); });

TEST(RunHmanTest, TypeGoesOnThroughAsManyContainersAsItNeeds) {
    const Calculated c = Calculate(
        "2450,16100,2200,50,0,HMAN\n"
        "1000,1200,2150,SQR,0,0,100\n");
    EXPECT_EQ(c.result.report[1],
              " Укладка  от 0 м. до конца контейнера, и  от начала контейнера до конца "
              "контейнера, и  от начала контейнера до конца контейнера, и  от начала контейнера "
              "до 13.2 м. по длине к-ра, Укладываем ряд - 2 подд. вдоль контейнера, 1 подд. в "
              "высоту");
    EXPECT_EQ(c.result.report[2],
              "Все поддоны влезают в 4 конт. И остаётся 2.9 м. свободного места по длине.");
    EXPECT_EQ(c.result.placed, 100);
    const std::vector<std::string> begun{"container 2", "container 3", "container 4"};
    std::vector<std::string> containers;
    for (const std::string& e : c.log.events) {
        if (e.rfind("container", 0) == 0) {
            containers.push_back(e);
        }
    }
    EXPECT_EQ(containers, begun);
}

TEST(RunHmanTest, TypeThatFitsNoContainerDoesNotGoOn) {
    const Calculated c = Calculate(
        "2450,16100,2200,50,0,HMAN\n"
        "800,1200,2300,SQR,1,0,5\n"
        "800,1200,2100,SQR,1,0,5\n");
    EXPECT_EQ(c.result.containers, 1);
    EXPECT_EQ(c.result.report.size(), 3U);  // the loop ends with the type that fits nowhere
}

TEST(RunHmanTest, TypesSharingAContainerCountItOnce) {
    const Calculated c = Calculate(
        "2450,16100,2200,50,0,HMAN\n"
        "800,1200,2100,SQR,1,0,4\n"
        "800,1200,2100,SQR,1,0,4\n");
    EXPECT_TRUE(c.result.report.back().starts_with("Все поддоны влезают в 1 конт."));
}

TEST(RunHmanTest, BothFlagsEndAtTheThirdTypeAndReportWhatWasPlaced) {
    const Calculated c = Calculate(
        "2450,16100,2200,50,0,HMANIDBL\n"
        "1000,1200,2150,SQR,0,0,30\n"
        "1000,1200,2150,SQR,0,0,30\n"
        "1000,1200,2150,SQR,0,0,30\n");
    EXPECT_EQ(c.result.report.size(), 5U);
    EXPECT_EQ(c.result.report.back(),
              "Не все поддоны влезают в контейнер. Всего влезает 78 поддонов.");
    EXPECT_EQ(c.result.containers, 3);
}

TEST(RunErrorTest, CargoLineErrorKeepsTheLinesAboveAndWritesNoSummary) {
    RunResult result;
    OrderModel model;
    EventLog log;
    const auto lines = Lines(
        "2450,16100,2200,50,0,ISIN\n"
        "800,1200,2100,SQR,1,0,2\n"
        "800,1200,0,SQR,1,0,2\n");
    EXPECT_THROW(RunCalculation(lines, model, RunOptions{}, log, result), OrderError);
    EXPECT_EQ(result.report.size(), 2U);
    EXPECT_EQ(result.placed, 2);
    EXPECT_EQ(log.events.back(), "stack");

    const auto bad = Lines("2450,16100,2200,50,0,ISIN\n800,1200,2100,BOX,1,0,2\n");
    RunResult second;
    try {
        RunCalculation(bad, model, RunOptions{}, log, second);
        FAIL();
    } catch (const OrderError& e) {
        EXPECT_EQ(e.Message(), "поле «Тип»: «BOX» — не SQR и не RND");
        EXPECT_EQ(e.Line(), 2);
    }
    EXPECT_EQ(second.report.size(), 0U);
}

TEST(RunErrorTest, QuantityOutOfRangeEndsTheRunAtItsLine) {
    RunResult result;
    OrderModel model;
    EventLog log;
    const auto lines = Lines("2450,16100,2200,50,0,ISIN\n\n800,1200,2100,SQR,1,0,70000\n");
    try {
        RunCalculation(lines, model, RunOptions{}, log, result);
        FAIL();
    } catch (const OrderError& e) {
        EXPECT_EQ(e.Line(), 3);
        EXPECT_NE(std::string(e.what()).find("70000"), std::string::npos);
    }
}

struct LimitCase {
    const char* name;
    std::string order;
    int line;  // 1-based line of the refusal
    const char* words;
};

std::ostream& operator<<(std::ostream& os, const LimitCase& c) {
    return os << c.name;
}

class RunLimitTest : public testing::TestWithParam<LimitCase> {};

TEST_P(RunLimitTest, RefusesAtTheLineThatPassesTheBound) {
    RunResult result;
    OrderModel model;
    EventLog log;
    try {
        RunCalculation(Lines(GetParam().order), model, RunOptions{}, log, result);
        FAIL() << "no refusal";
    } catch (const OrderError& e) {
        EXPECT_EQ(e.Line(), GetParam().line);
        EXPECT_EQ(e.GetKind(), OrderError::Kind::Validation);
        const std::string message = e.Message();
        EXPECT_EQ(message.find("Строка"), std::string::npos)
            << message;  // the line is not repeated
        EXPECT_NE(message.find(GetParam().words), std::string::npos) << message;
    }
}

std::string ManyLines(int count, const char* line) {
    std::string order = "2450,16100,2200,50,0,HMAN\n";
    for (int i = 0; i < count; ++i) {
        order += line;
    }
    return order;
}

INSTANTIATE_TEST_SUITE_P(
    Orders, RunLimitTest,
    testing::Values(
        LimitCase{"TinyUnits", "2450,16100,2200,50,0,ISIN\n1,1,10,SQR,1,0,5\n", 2, "слишком малы"},
        LimitCase{"TinyDrumsLyingAcrossTheHeight",
                  "2450,16100,2200,50,0,ISIN\n1,1,1000,RND,0,1,5\n", 2, "слишком малы"},
        LimitCase{"TooManyUnits", ManyLines(2, "100,100,100,SQR,1,0,60000\n"), 3, "100000 мест"},
        LimitCase{"TooManyDrums", ManyLines(3, "100,100,100,RND,1,0,8000\n"), 4,
                  "20000 круглых мест"},
        LimitCase{"TooManyCargoLines", ManyLines(10001, "100,100,100,SQR,1,0,0\n"), 10002,
                  "10000 строк груза"},
        // With a payload of 1 kg every unit of 1 kg takes a container of its own.
        LimitCase{"TooManyContainers",
                  "2450,16100,2200,50,0,HMAN,1\n800,1200,1000,SQR,1,0,65535,1\n", 2,
                  "больше 1000 контейнеров"},
        LimitCase{"TooManyContainersOnALaterLine",
                  "2450,16100,2200,50,0,HMAN,1\n800,1200,1000,SQR,1,0,600,1\n"
                  "800,1200,1000,SQR,1,0,401,1\n",
                  3, "больше 1000 контейнеров"}),
    [](const testing::TestParamInfo<LimitCase>& p) { return std::string(p.param.name); });

TEST(RunLimitTest, AThousandContainersAreAccepted) {
    const Calculated c = Calculate(
        "2450,16100,2200,50,0,HMAN,1\n800,1200,1000,SQR,1,0,600,1\n800,1200,1000,SQR,1,0,400,1\n");
    EXPECT_EQ(c.result.containers, 1000);
    EXPECT_EQ(c.result.placed, 1000);
    ASSERT_EQ(c.result.weights.size(), 1000U);
    EXPECT_EQ(c.result.weights.back().mass, 1);
}

TEST(RunEventsTest, ColourIsSetBeforeTheTypeAndAgainInItsNextContainer) {
    const Calculated c = Calculate(
        "2450,16100,2200,50,0,HMAN\n"
        "1000,1200,2150,SQR,0,0,28\n");
    const std::vector<std::string>& e = c.log.events;
    ASSERT_GE(e.size(), 4U);
    EXPECT_EQ(e[0], "prepared");
    EXPECT_EQ(e[1], "colour 128");
    const auto begun = std::find(e.begin(), e.end(), "container 2");
    ASSERT_NE(begun, e.end());
    EXPECT_EQ(*(begun + 1), "colour 128");
    EXPECT_EQ(e.back(), "report");
}

}  // namespace
}  // namespace stowbel
