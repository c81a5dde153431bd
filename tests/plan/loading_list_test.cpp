#include "plan/loading_list.h"

#include <gtest/gtest.h>

#include <sstream>

#include "calc/run.h"
#include "order/errors.h"
#include "order/examples.h"
#include "plan/loading_plan.h"

namespace stowbel {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

LoadingPlanInput Calculated(const std::vector<std::string>& lines) {
    OrderModel model;
    RunResult result;
    PlacementObserver nobody;
    try {
        RunCalculation(lines, model, RunOptions{}, nobody, result);
    } catch (const OrderError&) {
        // the result keeps what was placed before the faulty line
    }
    return MakeLoadingPlanInput(lines, NumberFormat{}, result);
}

struct Row {
    int type;
    std::string sizes;
    std::string lay;
    int count;
    long long x, y;
    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Row& r) {
    return os << "{" << r.type << ", " << r.sizes << ", " << r.lay << ", " << r.count << ", " << r.x
              << ", " << r.y << "}";
}

struct ListCase {
    const char* name;
    const char* order;
    std::vector<Row> rows;  // container 1, in loading order
};

std::ostream& operator<<(std::ostream& os, const ListCase& c) {
    return os << c.name;
}

class LoadingListTest : public testing::TestWithParam<ListCase> {};

// Positions are the stacks' near edges: a rectangle's first corner, a drum's centre less its
// radius, rounded to whole mm; rows go from the front wall toward the door, then from the floor
// up, then across from the first side wall.
TEST_P(LoadingListTest, RowsInLoadingOrder) {
    const LoadingPlanInput input = Calculated(Lines(GetParam().order));
    const std::vector<LoadingListRow> list =
        MakeLoadingList(input.result, 1, input.container, input.cargo, input.format);
    std::vector<Row> rows;
    for (const LoadingListRow& r : list) {
        rows.push_back({r.stack.type, r.sizes, r.lay, r.stack.count, r.x, r.y});
        EXPECT_EQ(r.number, static_cast<int>(rows.size()));
        EXPECT_FALSE(r.mass.has_value());
    }
    EXPECT_EQ(rows, GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, LoadingListTest,
    testing::Values(
        // Five units two high across the container: two full stacks and the last one alone.
        ListCase{"Across",
                 "2450,16100,2200,50,0,ISIN\n800,1000,1000,SQR,1,0,5\n",
                 {{1, "1000×800×1000", "поперёк", 2, 50, 400},
                  {1, "1000×800×1000", "поперёк", 2, 50, 1400},
                  {1, "1000×800×1000", "поперёк", 1, 850, 50}}},
        // Drums of 1000 mm centred at (575, 550), (1357.6, 1250), (2140.2, 550),
        // (575, 1950), (2140.2, 1950): near edges 500 mm lower.
        ListCase{"StandingDrums",
                 "2450,16100,2200,50,50,ISIN\n1000,1000,1000,RND,0,0,10\n",
                 {{1, "1000×1000×1000", "стоя", 2, 75, 50},
                  {1, "1000×1000×1000", "стоя", 2, 75, 1450},
                  {1, "1000×1000×1000", "стоя", 2, 858, 750},
                  {1, "1000×1000×1000", "стоя", 2, 1640, 50},
                  {1, "1000×1000×1000", "стоя", 2, 1640, 1450}}},
        // Stood on end the unit is 2100 long on the floor; the list names it by the order's
        // sizes. The drums lie at axis depths 1500 and 500 below a 2000 mm ceiling.
        ListCase{"OnEndAndLying",
                 "2450,16100,2000,50,0,ISIN\n800,1200,2100,SQR,0,1,3\n"
                 "1000,1000,2300,RND,0,1,3\n",
                 {{1, "1200×800×2100", "торцем, вдоль", 1, 50, 800},
                  {1, "1200×800×2100", "торцем, вдоль", 1, 50, 1600},
                  {1, "1200×800×2100", "торцем, вдоль", 1, 2150, 50},
                  {2, "1000×1000×2300", "лёжа, низ 0", 1, 4250, 50},
                  {2, "1000×1000×2300", "лёжа, низ 1000", 1, 4250, 50},
                  {2, "1000×1000×2300", "лёжа, низ 0", 1, 5250, 50}}}));

TEST(LoadingListTest, EachContainerListsItsOwnStacksOnce) {
    const LoadingPlanInput input = Calculated(ExampleOrder("HMAN"));
    std::size_t listed = 0;
    for (int c = 1; c <= input.result.containers; ++c) {
        const auto rows = MakeLoadingList(input.result, c, input.container, input.cargo, {});
        listed += rows.size();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].stack.container, c);
            EXPECT_EQ(input.result.stacks[rows[i].resultIndex].x1, rows[i].x);
            if (i > 0) {
                EXPECT_LE(rows[i - 1].x, rows[i].x) << "container " << c << " row " << i + 1;
            }
        }
    }
    EXPECT_EQ(listed, input.result.stacks.size());
    EXPECT_TRUE(MakeLoadingList(input.result, 4, input.container, input.cargo, {}).empty());
}

TEST(LoadingListTest, MassesWhenTheOrderGivesThem) {
    LoadingPlanInput input = Calculated(ExampleOrder("HMAN"));
    ASSERT_EQ(input.cargo.size(), 3U);
    input.cargo[2].unitMass = 150.5;
    const auto third = MakeLoadingList(input.result, 3, input.container, input.cargo, {});
    ASSERT_EQ(third.size(), 25U);
    EXPECT_EQ(third[0].mass, 301);  // two units of 150.5 kg
    EXPECT_EQ(TotalMass(third), 50 * 150.5);
    const auto first = MakeLoadingList(input.result, 1, input.container, input.cargo, {});
    EXPECT_FALSE(first[0].mass.has_value());
    EXPECT_FALSE(TotalMass(first).has_value());
    EXPECT_FALSE(ComputePlanTotals(input).mass.has_value());
    input.cargo[0].unitMass = 1000;
    input.cargo[1].unitMass = 10;
    EXPECT_EQ(ComputePlanTotals(input).mass, 20 * 1000 + 36 * 10 + 50 * 150.5);
}

TEST(LoadingPlanInputTest, ReadsTheOrderAsTheRunDid) {
    const LoadingPlanInput input = Calculated(ExampleOrder("HMAN"));
    EXPECT_EQ(input.container.Length, 16100);
    EXPECT_TRUE(input.container.HowManyContainers);
    ASSERT_EQ(input.cargo.size(), 3U);
    EXPECT_EQ(input.cargo[0].line, 3);
    EXPECT_EQ(input.cargo[1].type.Length, 1200);
    EXPECT_EQ(input.cargo[2].type.Quantity, 50);
    EXPECT_EQ(input.program, "Stowbel 2.69");
    EXPECT_EQ(DescribeContainer(input),
              "Контейнер внутри: длина 16100 мм, ширина 2450 мм, высота 2200 мм; отступ от "
              "боковых стенок 50 мм, зазор между местами 0 мм; режим HMAN: сколько контейнеров "
              "нужно.");
    const PlanTotals totals = ComputePlanTotals(input);
    EXPECT_EQ(totals.containers, 3);
    EXPECT_EQ(totals.placed, 106);
    EXPECT_EQ(totals.notPlaced, 0);

    // The ISIN example places 34 of its 10 + 16 + 20 units.
    const LoadingPlanInput isin = Calculated(ExampleOrder("ISIN"));
    EXPECT_EQ(ComputePlanTotals(isin).notPlaced, 12);

    // A faulty line ends the cargo where the run ended it; a payload is named in words.
    LoadingPlanInput faulty =
        Calculated(Lines("2450,16100,2200,50,0,ISIN\n800,1000,1000,SQR,1,0,5\n"
                         "800,1x00,1000,SQR,1,0,5\n"));
    EXPECT_EQ(faulty.cargo.size(), 1U);
    faulty.payload = 26500;
    faulty.format.decimalSeparator = ',';
    EXPECT_NE(DescribeContainer(faulty).find("режим ISIN: сколько груза входит в один "
                                             "контейнер; грузоподъёмность 26500 кг."),
              std::string::npos);
}

TEST(LoadingPlanInputTest, OrderNamesAndThePlansFileName) {
    EXPECT_EQ(PlanOrderName("/srv/IN/t0001.txt"), "t0001.txt");
    EXPECT_EQ(PlanOrderName("", "ISIN"), "Пример ISIN");
    EXPECT_EQ(PlanOrderName("", "HMAN"), "Пример HMAN");
    EXPECT_EQ(PlanOrderName(""), "Новый заказ");
    EXPECT_EQ(PlanPath("OUT", "IN/t0001.txt"), "OUT/r0001.txt.pdf");
}

}  // namespace
}  // namespace stowbel
