#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "calc/run.h"
#include "order/errors.h"
#include "order/examples.h"
#include "order_generator.h"
#include "plan_rules.h"
#include "run_test_support.h"

namespace stowbel {
namespace {

int UnitsIn(const RunResult& result, int container) {
    int units = 0;
    for (const PlacedStack& stack : result.stacks) {
        if (stack.container == container) {
            units += stack.count;
        }
    }
    return units;
}

double MassIn(const RunResult& result, int container) {
    double mass = 0;
    for (const PlacedStack& stack : result.stacks) {
        if (stack.container == container) {
            mass += stack.mass.value_or(0);
        }
    }
    return mass;
}

bool HasLine(const RunResult& result, const std::string& line) {
    return std::find(result.report.begin(), result.report.end(), line) != result.report.end();
}

struct PayloadCase {
    const char* name;
    const char* order;
    int containers;
    int placed;
    std::vector<int> unitsPerContainer;
    std::vector<std::string> lines;  // report lines that must be present
};

std::ostream& operator<<(std::ostream& os, const PayloadCase& c) {
    return os << c.name;
}

class PayloadRunCases : public testing::TestWithParam<PayloadCase> {};

// Ten 800 x 1200 pallets of 2100 mm stand one high; the floor of a 16.1 m truck takes them all,
// so only the payload can stop them.
TEST_P(PayloadRunCases, NoContainerCarriesMoreThanItsPayload) {
    const PayloadCase& c = GetParam();
    const Calculated run = Calculate(c.order);
    EXPECT_EQ(run.result.containers, c.containers);
    EXPECT_EQ(run.result.placed, c.placed);
    for (std::size_t i = 0; i < c.unitsPerContainer.size(); ++i) {
        EXPECT_EQ(UnitsIn(run.result, static_cast<int>(i + 1)), c.unitsPerContainer[i])
            << "container " << i + 1;
    }
    for (const ContainerWeight& load : run.result.weights) {
        ASSERT_TRUE(load.mass && load.payload);
        EXPECT_LE(*load.mass, *load.payload + 1e-6) << "container " << load.container;
        EXPECT_DOUBLE_EQ(*load.mass, MassIn(run.result, load.container));
    }
    for (const std::string& line : c.lines) {
        EXPECT_TRUE(HasLine(run.result, line)) << "missing: " << line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Orders, PayloadRunCases,
    testing::Values(
        PayloadCase{"mass exactly at the payload",
                    "2450,16100,2200,50,0,ISIN,3500\n800,1200,2100,SQR,1,0,10,350\n",
                    1,
                    10,
                    {10},
                    // Centres along: 650, 1850, 3050, 4250 (lane A), 450 ... 4450 (lane B):
                    // mean 2450, 2.4 m with ties to even; across they balance at 1225.
                    {"Все поддоны влезают в 1 конт. И остаётся 11.3 м. свободного места по длине.",
                     "Конт. 1: 3500 кг (100 % от 3500 кг), центр тяжести 2.4 м от начала, по "
                     "середине поперёк"}},
        PayloadCase{"one unit over",
                    "2450,16100,2200,50,0,ISIN,3499.5\n800,1200,2100,SQR,1,0,10,350\n",
                    1,
                    9,
                    {9},
                    {" Ограничено грузоподъёмностью: в конт. 1 вошло 9 из 10 мест.",
                     "Не все поддоны влезают в контейнер. Всего влезает 9 поддонов."}},
        // Two tiers of 1000 mm boxes: the third stack is cut to one box by 500 kg.
        PayloadCase{"a stack cut short",
                    "2450,16100,2200,50,0,ISIN,500\n800,1000,1000,SQR,1,0,6,100\n",
                    1,
                    5,
                    {5},
                    // 200 kg at (450, 900) and (450, 1900), 100 kg at (1250, 550): centre (610,
                    // 1230), 5 mm off the middle, which rounds to none.
                    {" Ограничено грузоподъёмностью: в конт. 1 вошло 5 из 6 мест.",
                     "Конт. 1: 500 кг (100 % от 500 кг), центр тяжести 0.6 м от начала, по "
                     "середине поперёк"}},
        PayloadCase{"HMAN continues by weight",
                    "2450,16100,2200,50,0,HMAN,2000\n800,1200,2100,SQR,1,0,10,350\n",
                    2,
                    10,
                    {5, 5},
                    // Container 1: four of lane A and the first of lane B, centre (2050, 790);
                    // container 2 starts anew: (1250, 1050).
                    {" Ограничено грузоподъёмностью: в конт. 1 вошло 5 из 10 мест.",
                     "Все поддоны влезают в 2 конт. И остаётся 13.7 м. свободного места по длине.",
                     "Конт. 1: 1750 кг (88 % от 2000 кг), центр тяжести 2 м от начала, 0.44 м "
                     "от середины поперёк к первому борту",
                     "Конт. 2: 1750 кг (88 % от 2000 кг), центр тяжести 1.2 м от начала, 0.18 м "
                     "от середины поперёк к первому борту"}},
        PayloadCase{"a unit heavier than the payload fits nowhere",
                    "2450,16100,2200,50,0,HMAN,300\n800,1200,2100,SQR,1,0,4,350\n",
                    1,
                    0,
                    {0},
                    {" Ограничено грузоподъёмностью: в конт. 1 вошло 0 из 4 мест.",
                     "Конт. 1: 0 кг (0 % от 300 кг)"}}));

// Four equal boxes in two rows of two fill a 2400 mm wide container without clearance: the
// centre lies on the middle line, along at 1200 / 2.
TEST(PayloadRunTest, SymmetricLoadCentresOnTheMiddle) {
    const Calculated run =
        Calculate("2400,6000,2200,0,0,ISIN,10000\n1200,1200,1000,SQR,0,0,4,250\n");
    ASSERT_EQ(run.result.weights.size(), 1U);
    EXPECT_DOUBLE_EQ(*run.result.weights[0].cogY, 1200);
    EXPECT_DOUBLE_EQ(*run.result.weights[0].mass, 1000);
    EXPECT_EQ(run.result.report.back(),
              "Конт. 1: 1000 кг (10 % от 10000 кг), центр тяжести 0.6 м от начала, по середине "
              "поперёк");
}

TEST(PayloadRunTest, EachContainerIsMeasuredWhenTheRunLeavesIt) {
    const Calculated run =
        Calculate("2450,16100,2200,50,0,HMAN,700\n800,1200,2100,SQR,1,0,3,350\n");
    std::vector<std::string> order;
    for (const std::string& event : run.log.events) {
        if (event.rfind("loaded", 0) == 0 || event.rfind("container", 0) == 0 ||
            event == "report") {
            order.push_back(event);
        }
    }
    EXPECT_EQ(order, (std::vector<std::string>{"loaded 1", "container 2", "loaded 2", "report"}));
}

TEST(PayloadRunTest, ACargoLineWithoutMassIsRefusedWhenThereIsAPayload) {
    try {
        Calculate(
            "2450,16100,2200,50,0,HMAN,26500\n800,1200,2100,SQR,1,0,20,350\n"
            "//next\n1000,1200,2150,SQR,0,0,36\n");
        FAIL() << "a missing mass passed";
    } catch (const OrderError& e) {
        EXPECT_EQ(e.Line(), 4);
        EXPECT_EQ(e.Message().find("не указана масса"), 0U) << e.what();
    }
}

TEST(PayloadRunTest, AMalformedMassIsAnErrorOfItsLine) {
    try {
        Calculate("2450,16100,2200,50,0,ISIN\n800,1200,2100,SQR,1,0,20,3.5.0\n");
        FAIL() << "a malformed mass passed";
    } catch (const OrderError& e) {
        EXPECT_EQ(e.Line(), 2);
        EXPECT_EQ(e.Message(), "поле «Масса»: «3.5.0» — не число");
    }
}

TEST(PayloadRunTest, WithoutAPayloadMassesChangeNothingButTheData) {
    for (const char* name : {"HMAN", "ISIN"}) {
        std::vector<std::string> order = ExampleOrder(name);
        std::vector<std::string> weighed = order;
        for (std::size_t i = 0; i < weighed.size(); ++i) {
            if (i > 0 && !weighed[i].empty() && weighed[i][0] != '/' &&
                weighed[i].find("SQR") != std::string::npos) {
                weighed[i] += ",123.5";
            }
        }
        RunOptions options;
        EventLog plainLog;
        EventLog weighedLog;
        OrderModel plainModel;
        OrderModel weighedModel;
        RunResult plain;
        RunResult withMasses;
        RunCalculation(order, plainModel, options, plainLog, plain);
        RunCalculation(weighed, weighedModel, options, weighedLog, withMasses);
        EXPECT_EQ(withMasses.report, plain.report) << name;
        EXPECT_EQ(weighedLog.events, plainLog.events) << name;
        ASSERT_EQ(withMasses.stacks.size(), plain.stacks.size()) << name;
        for (std::size_t i = 0; i < plain.stacks.size(); ++i) {
            EXPECT_EQ(withMasses.stacks[i].x1, plain.stacks[i].x1);
            EXPECT_EQ(withMasses.stacks[i].y1, plain.stacks[i].y1);
            EXPECT_EQ(withMasses.stacks[i].count, plain.stacks[i].count);
            EXPECT_FALSE(plain.stacks[i].mass);
            ASSERT_TRUE(withMasses.stacks[i].mass);
            EXPECT_DOUBLE_EQ(*withMasses.stacks[i].mass, 123.5 * plain.stacks[i].count);
        }
        for (const ContainerWeight& load : withMasses.weights) {
            EXPECT_FALSE(load.payload);
        }
    }
}

}  // namespace
}  // namespace stowbel

namespace stowbel {
namespace {

// Masses for a generated order from a generator of its own, so that the geometry stays the
// generator's: every cargo line gets a unit mass, and, when payload is set, the container line a
// payload between a light van's and a heavy truck's.
std::vector<std::string> Weighed(const std::string& text, std::mt19937_64& random, bool payload) {
    std::vector<std::string> lines = Lines(text);
    const auto between = [&](int lo, int hi) {
        return lo + static_cast<int>(random() % static_cast<std::uint64_t>(hi - lo + 1));
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == 0) {
            if (payload) {
                lines[i] += "," + std::to_string(between(1500, 30000));
            }
        } else {
            lines[i] += "," + std::to_string(between(5, 1500)) + (between(0, 1) ? ".5" : "");
        }
    }
    return lines;
}

TEST(PayloadPropertyTest, GeneratedOrdersKeepThePayloadAndThePlanRules) {
    OrderGenerator generator(20261211);
    std::mt19937_64 masses(99);
    int limited = 0;
    for (int n = 0; n < 1000; ++n) {
        const GeneratedOrder order = generator.Next();
        RunOptions options;
        options.alternate = order.alternate;
        const std::vector<std::string> lines = Weighed(order.text, masses, true);
        OrderModel model;
        PlacementObserver nobody;
        RunResult result;
        try {
            RunCalculation(lines, model, options, nobody, result);
        } catch (const OrderError&) {
            continue;  // refused as too large to lay out: nothing to check
        }
        const std::vector<std::string> broken = FindBrokenPlanRules(model.container, result);
        ASSERT_TRUE(broken.empty()) << order.text << broken.front();
        ASSERT_EQ(static_cast<int>(result.weights.size()), result.containers) << order.text;
        for (const ContainerWeight& load : result.weights) {
            ASSERT_TRUE(load.mass && load.payload) << order.text;
            ASSERT_LE(*load.mass, *load.payload * (1 + 1e-12)) << order.text;
            ASSERT_DOUBLE_EQ(*load.mass, MassIn(result, load.container)) << order.text;
        }
        limited += std::any_of(result.report.begin(), result.report.end(), [](const auto& line) {
            return line.find("грузоподъёмностью") != std::string::npos;
        });
    }
    EXPECT_GT(limited, 100);  // the payload did stop types, so the test saw it at work
}

TEST(PayloadPropertyTest, WithoutAPayloadGeneratedOrdersGiveTheSamePlanAndReport) {
    OrderGenerator generator(20261212);
    std::mt19937_64 masses(7);
    for (int n = 0; n < 1000; ++n) {
        const GeneratedOrder order = generator.Next();
        RunOptions options;
        options.alternate = order.alternate;
        OrderModel plainModel;
        OrderModel weighedModel;
        EventLog plainLog;
        EventLog weighedLog;
        RunResult plain;
        RunResult weighed;
        try {
            RunCalculation(Lines(order.text), plainModel, options, plainLog, plain);
        } catch (const OrderError&) {
            continue;
        }
        RunCalculation(Weighed(order.text, masses, false), weighedModel, options, weighedLog,
                       weighed);
        ASSERT_EQ(weighed.report, plain.report) << order.text;
        ASSERT_EQ(weighedLog.events, plainLog.events) << order.text;
        ASSERT_EQ(weighed.stacks.size(), plain.stacks.size()) << order.text;
    }
}

}  // namespace
}  // namespace stowbel
