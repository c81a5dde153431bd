// What one unit may carry on top: stacks take only the tiers their load limit allows.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <tuple>

#include "order/errors.h"
#include "plan_rules.h"
#include "run_test_support.h"

namespace stowbel {
namespace {

constexpr const char* kContainer = "2450,16100,2200,50,0,ISIN\n";

// A way to plan an order. Every case below holds for each of them.
struct Method {
    const char* name;
    RunOptions options;
};

const Method kMethods[] = {{"Rows", RunOptions{}}};

struct LimitCase {
    const char* name;
    const char* cargo;      // one cargo line
    int tiers;              // the most units on top of each other in the plan
    const char* limitLine;  // the report line after the laying line, or nullptr for none
};

std::ostream& operator<<(std::ostream& os, const LimitCase& c) {
    return os << c.name;
}

// Units on top of each other: a stack's units, or for lying drums the layers across the height.
int MostTiers(const RunResult& result) {
    int most = 0;
    std::set<double> layers;
    for (const PlacedStack& s : result.stacks) {
        if (s.shape == StackShape::RoundLying) {
            layers.insert(s.z);
        } else {
            most = std::max(most, s.count);
        }
    }
    return std::max(most, static_cast<int>(layers.size()));
}

// The cargo line without its last field.
std::string WithoutLimit(const std::string& line) {
    return line.substr(0, line.rfind(','));
}

// Pallets 1200 x 800 x 700 of 300 kg: the height takes three. Drums of 100 kg, 700 high, stand
// three high; drums 2300 long may only lie, three layers of 600 across the height.
const LimitCase kCases[] = {
    {"NoLimit", "800,1200,700,SQR,1,0,30,300", 3, nullptr},
    {"NotStackable", "800,1200,700,SQR,1,0,30,300,0", 1,
     " Ограничено нагрузкой сверху: 1 подд. в высоту."},
    {"TwoTiersExactly", "800,1200,700,SQR,1,0,30,300,300", 2,
     " Ограничено нагрузкой сверху: 2 подд. в высоту."},
    {"OneKgBelowTwoTiers", "800,1200,700,SQR,1,0,30,300,299", 1,
     " Ограничено нагрузкой сверху: 1 подд. в высоту."},
    {"LimitNoLowerThanTheHeight", "800,1200,700,SQR,1,0,30,300,600", 3, nullptr},
    {"StandingDrums", "800,800,700,RND,0,0,30,100,150", 2,
     " Ограничено нагрузкой сверху: 2 подд. в высоту."},
    {"LyingDrumsNotStackable", "600,600,2300,RND,0,1,12,50,0", 1,
     " Ограничено нагрузкой сверху: 1 подд. в высоту."},
    {"LyingDrumsTwoLayers", "600,600,2300,RND,0,1,12,50,50", 2,
     " Ограничено нагрузкой сверху: 2 подд. в высоту."},
};

class LoadLimitRunCases : public testing::TestWithParam<std::tuple<LimitCase, Method>> {};

TEST_P(LoadLimitRunCases, StacksTakeOnlyTheTiersTheLimitAllows) {
    const auto& [c, method] = GetParam();
    Calculated run;
    const std::string order = std::string(kContainer) + c.cargo + "\n";
    RunCalculation(Lines(order), run.model, method.options, run.log, run.result);

    EXPECT_EQ(MostTiers(run.result), c.tiers);
    EXPECT_EQ(run.result.report.back().find("Все поддоны влезают"), 0U) << run.result.report.back();
    EXPECT_EQ(FindBrokenPlanRules(run.model.container, run.result), std::vector<std::string>{});
    const long limitLines = std::count_if(
        run.result.report.begin(), run.result.report.end(),
        [](const std::string& line) { return line.find("нагрузкой сверху") != std::string::npos; });
    if (c.limitLine == nullptr) {
        EXPECT_EQ(limitLines, 0);
    } else {
        ASSERT_EQ(limitLines, 1);
        // The order line, the laying line (for round types the order line again with the
        // laying), then the limit.
        ASSERT_GT(run.result.report.size(), 2U);
        EXPECT_EQ(run.result.report[2], c.limitLine);
    }
}

INSTANTIATE_TEST_SUITE_P(Orders, LoadLimitRunCases,
                         testing::Combine(testing::ValuesIn(kCases), testing::ValuesIn(kMethods)),
                         [](const testing::TestParamInfo<std::tuple<LimitCase, Method>>& p) {
                             return std::string(std::get<0>(p.param).name) +
                                    std::get<1>(p.param).name;
                         });

// Limits that let every stack be as high as the height allows, with the same lines without them.
class UnloweringLimits : public testing::TestWithParam<Method> {};

TEST_P(UnloweringLimits, ChangeNothingButTheData) {
    for (const char* cargo : {"800,1200,700,SQR,1,0,30,300,600", "800,800,700,RND,0,0,30,100,200",
                              "600,600,2300,RND,0,1,12,50,1000"}) {
        Calculated limited;
        Calculated plain;
        RunCalculation(Lines(std::string(kContainer) + cargo + "\n"), limited.model,
                       GetParam().options, limited.log, limited.result);
        RunCalculation(Lines(std::string(kContainer) + WithoutLimit(cargo) + "\n"), plain.model,
                       GetParam().options, plain.log, plain.result);
        EXPECT_EQ(limited.result.report, plain.result.report) << cargo;
        EXPECT_EQ(limited.log.events, plain.log.events) << cargo;
        ASSERT_EQ(limited.result.stacks.size(), plain.result.stacks.size()) << cargo;
        for (std::size_t i = 0; i < plain.result.stacks.size(); ++i) {
            const PlacedStack& stack = limited.result.stacks[i];
            EXPECT_TRUE(stack.loadLimit) << cargo;
            EXPECT_FALSE(plain.result.stacks[i].loadLimit) << cargo;
            EXPECT_EQ(stack.x1, plain.result.stacks[i].x1);
            EXPECT_EQ(stack.y1, plain.result.stacks[i].y1);
            EXPECT_EQ(stack.x, plain.result.stacks[i].x);
            EXPECT_EQ(stack.z, plain.result.stacks[i].z);
            EXPECT_EQ(stack.count, plain.result.stacks[i].count);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Orders, UnloweringLimits, testing::ValuesIn(kMethods),
                         [](const testing::TestParamInfo<Method>& p) {
                             return std::string(p.param.name);
                         });

struct MassErrorCase {
    const char* name;
    const char* order;  // after the container line
    int line;           // 1-based line of the error
    const char* message;
    std::size_t reportLines;  // lines the run reported before the faulty line
};

std::ostream& operator<<(std::ostream& os, const MassErrorCase& c) {
    return os << c.name;
}

class LoadLimitRunErrors : public testing::TestWithParam<std::tuple<MassErrorCase, Method>> {};

TEST_P(LoadLimitRunErrors, AreErrorsOfTheLineConcerned) {
    const auto& [c, method] = GetParam();
    Calculated run;
    try {
        RunCalculation(Lines(std::string(kContainer) + c.order), run.model, method.options, run.log,
                       run.result);
        FAIL() << "no error";
    } catch (const OrderError& e) {
        EXPECT_EQ(e.Line(), c.line);
        EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(run.result.report.size(), c.reportLines);
}

const MassErrorCase kErrors[] = {
    {"MissingMassAboveTheLimit", "800,1200,700,SQR,1,0,30\n//note\n800,1200,700,SQR,1,0,30,300,0\n",
     2,
     "не указана масса одного места (кг) после количества, а в строке 4 задана нагрузка сверху: "
     "она требует массы всех мест заказа.",
     0},
    {"MissingMassBelowTheLimit", "800,1200,700,SQR,1,0,30,300,0\n800,1200,700,SQR,1,0,30\n", 3,
     "не указана масса одного места (кг) после количества, а в строке 2 задана нагрузка сверху: "
     "она требует массы всех мест заказа.",
     3},
    {"MalformedLimit", "800,1200,700,SQR,1,0,30,300,1.2.3\n", 2,
     "поле «Нагрузка сверху»: «1.2.3» — не число", 0},
};

INSTANTIATE_TEST_SUITE_P(Orders, LoadLimitRunErrors,
                         testing::Combine(testing::ValuesIn(kErrors), testing::ValuesIn(kMethods)),
                         [](const testing::TestParamInfo<std::tuple<MassErrorCase, Method>>& p) {
                             return std::string(std::get<0>(p.param).name) +
                                    std::get<1>(p.param).name;
                         });

}  // namespace
}  // namespace stowbel
