// Small orders whose dense plans can be checked by hand, through the planner as the front ends
// call it.
#include <gtest/gtest.h>

#include <algorithm>

#include "calc/planner.h"
#include "order/errors.h"
#include "plan_rules.h"
#include "run_test_support.h"

namespace stowbel {
namespace {

Calculated PlanDense(const std::string& order) {
    Calculated c;
    RunOptions options;
    options.method = PlanMethod::Dense;
    PlanCalculation(Lines(order), c.model, options, c.log, c.result);
    return c;
}

int UnitsOfLine(const RunResult& result, int line) {
    int units = 0;
    for (const PlacedStack& stack : result.stacks) {
        units += stack.line == line ? stack.count : 0;
    }
    return units;
}

struct DenseCase {
    const char* name;
    const char* order;
    int placed;       // units in the plan
    int containers;   // containers used
    bool rowsPlaced;  // the rows place as many (a dense plan may then still be shown)
};

class DensePlanCaseTest : public testing::TestWithParam<DenseCase> {};

TEST_P(DensePlanCaseTest, PlacesWhatCanBeLoaded) {
    const DenseCase& param = GetParam();
    const Calculated dense = PlanDense(param.order);
    EXPECT_EQ(dense.result.placed, param.placed) << testing::PrintToString(dense.result.report);
    EXPECT_EQ(dense.result.containers, param.containers);
    EXPECT_EQ(FindBrokenPlanRules(dense.model.container, dense.result), std::vector<std::string>{});
    const Calculated rows = Calculate(param.order);
    EXPECT_EQ(rows.result.placed >= param.placed, param.rowsPlaced);
    EXPECT_EQ(dense.result.method, PlanMethod::Dense);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DensePlanCaseTest,
    testing::Values(
        // 1000 mm high, each line 500 mm: only one on the other fills the height.
        DenseCase{"OneOnTheOther",
                  "1000,1000,1000,0,0,ISIN\n1000,1000,500,SQR,0,0,1\n1000,1000,500,SQR,0,0,1\n", 2,
                  1, false},
        // 1200 x 1000 in a 20' box: rows of 2 + ... give 9, a pinwheel 10.
        DenseCase{"Pinwheel20Foot", "2352,5898,2393,0,0,ISIN\n1000,1200,1500,SQR,1,0,12\n", 10, 1,
                  false},
        // 1200 high in a 500 mm hold: only lying on its 600 x 1200 side, with V_ROTATE 2.
        DenseCase{"LiesOnItsSide", "1000,3000,500,0,0,ISIN\n400,600,1200,SQR,1,2,2\n", 2, 1, false},
        // 1000 kg carry three 300 kg pallets of the ten that fit by space.
        DenseCase{"PayloadStopsTheLoad",
                  "2450,13600,2500,0,0,ISIN,1000\n800,1200,1000,SQR,1,0,10,300\n", 3, 1, true},
        // Drums at the front, laid as the rows lay them, pallets behind and beside them.
        DenseCase{"DrumsBesideBoxes",
                  "2450,13600,2500,0,0,ISIN\n600,600,900,RND,0,0,20\n800,1200,1000,SQR,1,0,20\n",
                  40, 1, true},
        // 600 mm drums on a 13.6 m trailer floor, one tier: the rows' 88.
        DenseCase{"DrumsOfATrailerFloor", "2450,13600,2500,0,0,ISIN\n600,600,2000,RND,0,0,88\n", 88,
                  1, true}),
    [](const testing::TestParamInfo<DenseCase>& p) { return std::string(p.param.name); });

TEST(DensePlanTest, BoxesStandOnOneAnotherWithTheirHeight) {
    const Calculated c =
        PlanDense("1000,1000,1000,0,0,ISIN\n1000,1000,500,SQR,0,0,1\n1000,1000,500,SQR,0,0,1\n");
    ASSERT_EQ(c.result.stacks.size(), 2U);
    std::vector<double> bases{c.result.stacks[0].base, c.result.stacks[1].base};
    std::sort(bases.begin(), bases.end());
    EXPECT_EQ(bases, (std::vector<double>{0, 500}));
    ASSERT_EQ(c.log.stacks.size(), 2U);
    EXPECT_EQ(c.log.stacks[1].base, 500);  // loaded after what it stands on
    EXPECT_EQ(c.result.report.back().rfind("Конт. 1: заполнено 100 % объёма", 0), 0U)
        << c.result.report.back();
}

TEST(DensePlanTest, ReportsWhereEachLineWent) {
    const Calculated c =
        PlanDense("1000,1000,1000,0,0,ISIN\n1000,1000,500,SQR,0,0,1\n1000,1000,500,SQR,0,0,1\n");
    const std::vector<std::string> expected{
        "Заказ 1 -  (коричневый) 1000 х 1000 х 500 - 1 мест ",
        " Размещено 1 из 1 мест: конт. 1 - 1 (на полу 1).",
        "Заказ 2 -  (зеленый) 1000 х 1000 х 500 - 1 мест ",
        " Размещено 1 из 1 мест: конт. 1 - 1 (на грузе 1).",
        "Все поддоны влезают в 1 конт. И остаётся 0 м. свободного места по длине.",
        "Конт. 1: заполнено 100 % объёма и 100 % площади пола.",
    };
    EXPECT_EQ(c.result.report, expected);
}

TEST(DensePlanTest, FallsBackToTheRowsWhereTheyAreBetter) {
    // Whatever the search finds, the plan shown never holds less than the rows' plan.
    const std::string order = "2450,13600,2500,50,10,ISIN\n800,1200,1000,SQR,1,1,60\n";
    const Calculated dense = PlanDense(order);
    const Calculated rows = Calculate(order);
    EXPECT_GE(dense.result.placed, rows.result.placed);
    if (dense.result.method == PlanMethod::Rows) {
        EXPECT_EQ(dense.result.report.back(),
                  "Плотная укладка не лучше рядов: показан план рядами.");
    }
}

TEST(DensePlanTest, AnOrderErrorIsTheSameUnderBothMethods) {
    const std::string orders[] = {
        "2450,13600,2500,0,0,ISIN\n800,1200,1000,SQR,1,0,10\n800,x,1000,SQR,1,0,10\n",
        "2450,13600,2500,0,0,ISIN,1000\n800,1200,1000,SQR,1,0,10\n",
        "2450,0,2500,0,0,ISIN\n800,1200,1000,SQR,1,0,10\n",
    };
    for (const std::string& order : orders) {
        std::string rowsError;
        int rowsLine = 0;
        try {
            Calculate(order);
        } catch (const OrderError& e) {
            rowsError = e.Message();
            rowsLine = e.Line();
        }
        ASSERT_FALSE(rowsError.empty()) << order;
        try {
            PlanDense(order);
            ADD_FAILURE() << "dense loading took " << order;
        } catch (const OrderError& e) {
            EXPECT_EQ(e.Message(), rowsError);
            EXPECT_EQ(e.Line(), rowsLine);
        }
    }
}

TEST(DensePlanTest, RowsReadAnySideAsStandOnEnd) {
    const Calculated any = Calculate("2450,13600,2500,0,0,ISIN\n800,1200,2600,SQR,1,2,4\n");
    const Calculated onEnd = Calculate("2450,13600,2500,0,0,ISIN\n800,1200,2600,SQR,1,1,4\n");
    EXPECT_EQ(any.result.report, onEnd.result.report);
    EXPECT_TRUE(any.model.cargo.at(1).MayLieOnAnySide);
    EXPECT_TRUE(any.model.cargo.at(1).MayStandOnEnd);
    EXPECT_FALSE(onEnd.model.cargo.at(1).MayLieOnAnySide);
}

TEST(DensePlanTest, SameOrderSamePlan) {
    const std::string order =
        "2352,12032,2393,0,0,HMAN\n400,600,500,SQR,1,2,150\n300,500,450,SQR,1,1,200\n"
        "600,600,900,RND,0,0,12\n";
    const Calculated first = PlanDense(order);
    const Calculated second = PlanDense(order);
    EXPECT_EQ(first.result.report, second.result.report);
    ASSERT_EQ(first.result.stacks.size(), second.result.stacks.size());
    for (std::size_t i = 0; i < first.result.stacks.size(); ++i) {
        EXPECT_EQ(first.result.stacks[i].x1, second.result.stacks[i].x1);
        EXPECT_EQ(first.result.stacks[i].base, second.result.stacks[i].base);
    }
    EXPECT_EQ(
        UnitsOfLine(first.result, 1) + UnitsOfLine(first.result, 2) + UnitsOfLine(first.result, 3),
        362);
}

}  // namespace
}  // namespace stowbel
