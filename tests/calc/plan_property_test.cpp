// Every plan can be loaded: thousands of realistic generated orders against the plan rules, and
// the rules themselves on plans made by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "calc/planner.h"
#include "order/errors.h"
#include "order_generator.h"
#include "plan_rules.h"
#include "run_test_support.h"

namespace stowbel {
namespace {

// What the generated orders exercised, so that a generator that drifted into trivial orders
// shows up.
struct Coverage {
    std::set<std::string> modes;
    std::set<bool> alternation;
    std::set<StackBlock> blocks;
    bool standingDrums = false;
    bool lyingDrums = false;
    bool standsOnEnd = false;
    bool nextContainer = false;
    bool unitsLeft = false;
};

// Counts what a run told the pictures, besides recording it for the comparison with the data.
class CoverageRecorder : public DrawnStackRecorder {
public:
    explicit CoverageRecorder(Coverage& coverage) : coverage_(coverage) {}

    void StackPlaced(const StackEvent& stack) override {
        coverage_.blocks.insert(stack.block);
        DrawnStackRecorder::StackPlaced(stack);
    }

private:
    Coverage& coverage_;
};

std::string Mode(const std::string& text) {
    const std::string first = text.substr(0, text.find('\n'));
    return first.substr(first.rfind(',') + 1);
}

TEST(PlanPropertyTest, GeneratedOrdersGiveLoadablePlans) {
    constexpr std::uint64_t kSeed = 20261210;
    constexpr int kOrders = 3000;
    constexpr int kReportedFailures = 5;
    OrderGenerator generator(kSeed);
    Coverage coverage;
    int calculated = 0;
    int failures = 0;
    for (int i = 0; i < kOrders && failures < kReportedFailures; ++i) {
        const GeneratedOrder order = generator.Next();
        CoverageRecorder drawn(coverage);
        Calculated c;
        RunOptions options;
        options.alternate = order.alternate;
        try {
            RunCalculation(Lines(order.text), c.model, options, drawn, c.result);
        } catch (const OrderError& e) {
            ADD_FAILURE() << "order " << i << " refused: " << e.what() << "\n" << order.text;
            ++failures;
            continue;
        }
        ++calculated;
        std::vector<std::string> broken = FindBrokenPlanRules(c.model.container, c.result);
        for (std::string& line : FindDrawingMismatches(drawn.drawn, c.result)) {
            broken.push_back(std::move(line));
        }
        if (!broken.empty()) {
            ++failures;
            std::string what;
            for (const std::string& line : broken) {
                what += "  " + line + "\n";
            }
            ADD_FAILURE() << "order " << i << " (alternation " << (order.alternate ? "on" : "off")
                          << "):\n"
                          << order.text << what;
        }

        coverage.modes.insert(Mode(order.text));
        coverage.alternation.insert(order.alternate);
        for (const PlacedStack& s : c.result.stacks) {
            coverage.standingDrums |= s.shape == StackShape::Round;
            coverage.lyingDrums |= s.shape == StackShape::RoundLying;
        }
        coverage.standsOnEnd |=
            std::count(c.result.report.begin(), c.result.report.end(), "Укладка торцем") > 0;
        coverage.nextContainer |= c.result.containers > 1;
        coverage.unitsLeft |= c.result.report.back().starts_with("Не все");
    }
    EXPECT_EQ(calculated, kOrders);
    EXPECT_EQ(coverage.modes, (std::set<std::string>{"HMAN", "HMANIDBL", "IDBL", "ISIN"}));
    EXPECT_EQ(coverage.alternation.size(), 2U);
    EXPECT_EQ(coverage.blocks.size(), 3U);
    EXPECT_TRUE(coverage.standingDrums);
    EXPECT_TRUE(coverage.lyingDrums);
    EXPECT_TRUE(coverage.standsOnEnd);
    EXPECT_TRUE(coverage.nextContainer);
    EXPECT_TRUE(coverage.unitsLeft);
}

// The cargo volume of a plan, from the order's sizes.
long double Volume(const RunResult& result, const OrderModel& model) {
    long double volume = 0;
    for (const PlacedStack& s : result.stacks) {
        const CargoType& type = model.cargo.at(static_cast<std::size_t>(s.line));
        const long double unit =
            type.IsRectangular
                ? static_cast<long double>(type.Length) * type.Width * type.Height
                : 3.14159265358979323846L * type.Length * type.Length / 4 * type.Height;
        volume += unit * s.count;
    }
    return volume;
}

// Dense plans of generated orders (boxes of every flag, V_ROTATE 2, drums, payloads, every
// mode) keep every rule, never place more units of a line than it has, are drawn exactly as
// they are, and never hold less than the rows' plan, nor need more containers for as much.
TEST(PlanPropertyTest, DensePlansAreLoadableAndNeverWorseThanTheRows) {
    constexpr std::uint64_t kSeed = 20261211;
    constexpr int kOrders = 150;
    constexpr int kReportedFailures = 5;
    OrderGenerator generator(kSeed, {.anySide = true, .masses = true});
    int failures = 0;
    int dense = 0;
    int stacked = 0;
    for (int i = 0; i < kOrders && failures < kReportedFailures; ++i) {
        const GeneratedOrder order = generator.Next();
        RunOptions options;
        options.alternate = order.alternate;
        options.method = PlanMethod::Dense;
        options.dense.stepBudget = 3000;
        options.dense.timeLimitSeconds = 1000;  // never reached: the steps bound the search
        DrawnStackRecorder drawn;
        Calculated c;
        Calculated rows;
        try {
            PlanCalculation(Lines(order.text), c.model, options, drawn, c.result);
            RunCalculation(Lines(order.text), rows.model, options, rows.log, rows.result);
        } catch (const OrderError& e) {
            ADD_FAILURE() << "order " << i << " refused: " << e.what() << "\n" << order.text;
            ++failures;
            continue;
        }
        std::vector<std::string> broken = FindBrokenPlanRules(c.model.container, c.result);
        for (std::string& line : FindDrawingMismatches(drawn.drawn, c.result)) {
            broken.push_back(std::move(line));
        }
        std::map<int, int> units;
        for (const PlacedStack& s : c.result.stacks) {
            units[s.line] += s.count;
            stacked += s.base > 0 && s.shape == StackShape::Rectangular ? 1 : 0;
        }
        for (const auto& [line, count] : units) {
            if (count > c.model.cargo.at(static_cast<std::size_t>(line)).Quantity) {
                broken.push_back("line " + std::to_string(line) + " has more units placed");
            }
        }
        const long double denseVolume = Volume(c.result, c.model);
        const long double rowsVolume = Volume(rows.result, rows.model);
        if (denseVolume < rowsVolume * (1 - 1e-9L) ||
            (denseVolume <= rowsVolume * (1 + 1e-9L) &&
             c.result.containers > rows.result.containers)) {
            broken.push_back("worse than the rows: " + std::to_string(c.result.placed) + " in " +
                             std::to_string(c.result.containers) + " against " +
                             std::to_string(rows.result.placed) + " in " +
                             std::to_string(rows.result.containers));
        }
        dense += c.result.method == PlanMethod::Dense ? 1 : 0;
        if (!broken.empty()) {
            ++failures;
            std::string what;
            for (const std::string& line : broken) {
                what += "  " + line + "\n";
            }
            ADD_FAILURE() << "order " << i << ":\n" << order.text << what;
        }
    }
    // Most orders get a dense plan of their own, and units stand on others.
    EXPECT_GT(dense, kOrders / 2);
    EXPECT_GT(stacked, 0);
}

TEST(OrderGeneratorTest, SameSeedSameOrders) {
    OrderGenerator a(7);
    OrderGenerator b(7);
    OrderGenerator c(8);
    std::string first;
    for (int i = 0; i < 20; ++i) {
        const GeneratedOrder order = a.Next();
        EXPECT_EQ(order.text, b.Next().text);
        first += order.text;
    }
    std::string other;
    for (int i = 0; i < 20; ++i) {
        other += c.Next().text;
    }
    EXPECT_NE(first, other);
}

// The rules on plans made by hand: container 2400 wide, 12000 long, 2400 high.
Container Box() {
    Container spec;
    spec.Width = 2400;
    spec.Length = 12000;
    spec.Height = 2400;
    return spec;
}

PlacedStack Square(int x1, int x2, int y1, int y2, int count = 1, int container = 1) {
    PlacedStack s;
    s.container = container;
    s.x1 = x1;
    s.x2 = x2;
    s.y1 = y1;
    s.y2 = y2;
    s.unitHeight = 1000;
    s.count = count;
    return s;
}

PlacedStack Drum(double x, double y, double d = 1000) {
    PlacedStack s;
    s.shape = StackShape::Round;
    s.x = x;
    s.y = y;
    s.d = d;
    s.unitHeight = 1000;
    s.count = 1;
    return s;
}

PlacedStack Lying(double x, double z, double y = 0, int count = 2) {
    PlacedStack s;
    s.shape = StackShape::RoundLying;
    s.x = x;
    s.z = z;
    s.y = y;
    s.d = 1000;
    s.length = 1000;
    s.count = count;
    return s;
}

RunResult Plan(std::vector<PlacedStack> stacks) {
    RunResult result;
    for (const PlacedStack& s : stacks) {
        result.placed += s.count;
    }
    result.stacks = std::move(stacks);
    return result;
}

struct RuleCase {
    const char* name;
    RunResult plan;
    const char* broken;  // a phrase of the finding, or nullptr when the plan is sound
};

std::ostream& operator<<(std::ostream& os, const RuleCase& c) {
    return os << c.name;
}

class PlanRulesTest : public testing::TestWithParam<RuleCase> {};

TEST_P(PlanRulesTest, FindsWhatIsBroken) {
    const std::vector<std::string> found = FindBrokenPlanRules(Box(), GetParam().plan);
    if (GetParam().broken == nullptr) {
        EXPECT_EQ(found, std::vector<std::string>{});
        return;
    }
    ASSERT_EQ(found.size(), 1U) << (found.empty() ? "" : found[0]);
    EXPECT_NE(found[0].find(GetParam().broken), std::string::npos) << found[0];
}

RunResult Miscounted() {
    RunResult result = Plan({Square(0, 1200, 0, 800, 2)});
    result.placed = 3;
    return result;
}

INSTANTIATE_TEST_SUITE_P(
    Plans, PlanRulesTest,
    testing::Values(
        RuleCase{"TouchingWallsAndEachOther",
                 Plan({Square(0, 1200, 0, 1200), Square(0, 1200, 1200, 2400),
                       Square(1200, 2400, 0, 800, 2), Drum(2900, 500), Drum(3900, 500),
                       Drum(2900, 1900), Square(4400, 5000, 0, 2400)}),
                 nullptr},
        RuleCase{"FirstSideWall", Plan({Square(0, 1200, -1, 799)}), "first side wall"},
        RuleCase{"SecondSideWall", Plan({Square(0, 1200, 1601, 2401)}), "second side wall"},
        RuleCase{"EndWall", Plan({Square(10801, 12001, 0, 800)}), "far end wall"},
        RuleCase{"DrumAtTheEndWall", Plan({Drum(11500.01, 500)}), "far end wall"},
        RuleCase{"DrumAtTheFrontWall", Plan({Drum(499.99, 500)}), "front wall"},
        RuleCase{"HigherThanTheContainer", Plan({Square(0, 1200, 0, 800, 3)}), "higher"},
        RuleCase{"OverlappingBoxes", Plan({Square(0, 1200, 0, 800), Square(1199, 2000, 799, 1600)}),
                 "overlaps"},
        RuleCase{"OverlappingDrums", Plan({Drum(500, 500), Drum(1499.9, 500)}), "overlaps"},
        RuleCase{"DrumOnABoxCorner", Plan({Square(0, 1000, 0, 1000), Drum(1300, 1300)}),
                 "overlaps"},
        RuleCase{"DrumBesideABoxCorner", Plan({Square(0, 1000, 0, 1000), Drum(1400, 1400)}),
                 nullptr},
        RuleCase{"LyingAboveEachOther",
                 Plan({Lying(500, 1900), Lying(500, 900), Lying(1400, 1400)}), nullptr},
        RuleCase{"LyingInsideEachOther", Plan({Lying(500, 1900), Lying(500, 1000)}), "overlaps"},
        RuleCase{"LyingThroughTheFloor", Plan({Lying(500, 1950)}), "below the floor"},
        RuleCase{"LyingPastTheSecondWall", Plan({Lying(500, 1900, 401)}), "second side wall"},
        RuleCase{"OtherContainersDoNotMeet",
                 Plan({Square(0, 1200, 0, 800, 1, 1), Square(0, 1200, 0, 800, 1, 2)}), nullptr},
        RuleCase{"UnitsMiscounted", Miscounted(), "the run placed 3"}),
    [](const testing::TestParamInfo<RuleCase>& p) { return std::string(p.param.name); });

// The rules of three dimensions on dense plans made by hand: container 2400 wide, 12000 long,
// 2400 high, side clearance 50, gap 20.
Container GappedBox() {
    Container spec = Box();
    spec.SideClearance = 50;
    spec.UnitGap = 20;
    return spec;
}

PlacedStack On(PlacedStack s, double base) {
    s.base = base;
    return s;
}

RunResult Dense(std::vector<PlacedStack> stacks) {
    RunResult result = Plan(std::move(stacks));
    result.method = PlanMethod::Dense;
    return result;
}

class DenseRulesTest : public testing::TestWithParam<RuleCase> {};

TEST_P(DenseRulesTest, FindsWhatIsBroken) {
    const std::vector<std::string> found = FindBrokenPlanRules(GappedBox(), GetParam().plan);
    if (GetParam().broken == nullptr) {
        EXPECT_EQ(found, std::vector<std::string>{});
        return;
    }
    ASSERT_FALSE(found.empty());
    EXPECT_NE(found[0].find(GetParam().broken), std::string::npos) << found[0];
}

INSTANTIATE_TEST_SUITE_P(
    Plans, DenseRulesTest,
    testing::Values(
        RuleCase{"StandsOnAnother",
                 Dense({Square(0, 1200, 50, 850), On(Square(0, 1200, 50, 850), 1000),
                        Square(1220, 2400, 50, 850, 2)}),
                 nullptr},
        RuleCase{"Overhanging",
                 Dense({Square(0, 1200, 50, 850), On(Square(0, 1200, 450, 1250), 1000)}),
                 "not carried"},
        RuleCase{"Floating", Dense({Square(0, 1200, 50, 850), On(Square(0, 1200, 50, 850), 1100)}),
                 "not carried"},
        RuleCase{"InsideAnother",
                 Dense({Square(0, 1200, 50, 850, 2), On(Square(0, 1200, 50, 850), 1000)}),
                 "overlaps"},
        RuleCase{"OnADrum", Dense({Drum(600, 600), On(Square(100, 1100, 100, 1100), 1000)}),
                 "not carried"},
        RuleCase{"WithinTheGap", Dense({Square(0, 1200, 50, 850), Square(1210, 2400, 50, 850)}),
                 "gap"},
        RuleCase{"WithinTheClearance", Dense({Square(0, 1200, 40, 840)}), "clearance"},
        RuleCase{"ThroughTheCeiling",
                 Dense({Square(0, 1200, 50, 850, 2), On(Square(0, 1200, 50, 850), 2000)}),
                 "ceiling"}),
    [](const testing::TestParamInfo<RuleCase>& p) { return std::string(p.param.name); });

TEST(DrawnStackRecorderTest, FindsWhereThePicturesDifferFromTheData) {
    DrawnStackRecorder drawn;
    RunResult result;
    OrderModel model;
    RunCalculation(Lines("2450,16100,2200,50,0,HMAN\n1000,1200,2150,SQR,0,0,40\n"
                         "1000,1000,1000,RND,0,0,6\n1000,1000,2300,RND,0,1,3\n"),
                   model, RunOptions{}, drawn, result);
    EXPECT_EQ(FindDrawingMismatches(drawn.drawn, result), std::vector<std::string>{});
    EXPECT_EQ(result.containers, 2);

    std::vector<PlacedStack> moved = drawn.drawn;
    moved[3].y1 += 1;
    EXPECT_EQ(FindDrawingMismatches(moved, result).size(), 1U);
    std::vector<PlacedStack> missing(drawn.drawn.begin(), drawn.drawn.end() - 1);
    EXPECT_FALSE(FindDrawingMismatches(missing, result).empty());
}

}  // namespace
}  // namespace stowbel
