// The loading list of a plan that stands stacks on other cargo: an order a loader can follow.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "calc/planner.h"
#include "order/errors.h"
#include "order_generator.h"
#include "plan/loading_list.h"

namespace stowbel {
namespace {

Container Box(double length, double width, double height) {
    Container spec;
    spec.Length = length;
    spec.Width = width;
    spec.Height = height;
    return spec;
}

PlacedStack Stack(int x1, int y1, int x2, int y2, double base, double unitHeight, int count) {
    PlacedStack s;
    s.shape = StackShape::Rectangular;
    s.x1 = x1;
    s.y1 = y1;
    s.x2 = x2;
    s.y2 = y2;
    s.base = base;
    s.unitHeight = unitHeight;
    s.count = count;
    s.type = 1;
    return s;
}

RunResult DensePlan(std::vector<PlacedStack> stacks) {
    RunResult result;
    result.method = PlanMethod::Dense;
    result.containers = 1;
    result.calculated = true;
    result.stacks = std::move(stacks);
    return result;
}

// The loader's rule, stated on its own: b must come after a when b stands on a (its base on a's
// top, their floor outlines overlapping) or a lies between b and the front wall (a ends along
// the container where b begins or before, and they overlap across and in height).
bool MustComeFirst(const PlacedStack& a, const PlacedStack& b) {
    const double aTop = a.base + a.count * a.unitHeight;
    const double bTop = b.base + b.count * b.unitHeight;
    const bool across = a.y1 < b.y2 && b.y1 < a.y2;
    const bool along = a.x1 < b.x2 && b.x1 < a.x2;
    const bool standsOn = b.base == aTop && along && across;
    const bool between = a.x2 <= b.x1 && across && a.base < bTop && b.base < aTop;
    return standsOn || between;
}

std::vector<int> Positions(const std::vector<LoadingListRow>& rows, std::size_t stacks) {
    std::vector<int> position(stacks, -1);
    for (const LoadingListRow& row : rows) {
        position[row.resultIndex] = row.number;
    }
    return position;
}

TEST(LoadingOrderTest, AUnitOnTwoOthersComesAfterBothAndBeforeWhatItHidesFromTheDoor) {
    // B stands across the joint of A1 and A2 and reaches nearer the front wall than A2 begins;
    // C stands on the floor behind B, as high as B's top. Front wall first would list B
    // before A2; the loader needs A1, A2, B, C.
    const RunResult result = DensePlan({Stack(500, 0, 1500, 800, 1000, 1000, 1),      // B
                                        Stack(1600, 0, 2600, 800, 0, 1000, 2),        // C
                                        Stack(1000, 0, 2000 - 500, 800, 0, 1000, 1),  // A2
                                        Stack(0, 0, 1000, 800, 0, 1000, 1)});         // A1
    const auto rows = MakeLoadingList(result, 1, Box(6000, 2400, 2400), {}, {});
    std::vector<std::size_t> listed;
    for (const LoadingListRow& row : rows) {
        listed.push_back(row.resultIndex);
    }
    EXPECT_EQ(listed, (std::vector<std::size_t>{3, 2, 0, 1}));
    EXPECT_EQ(rows[2].base, 1000);
    EXPECT_EQ(rows[0].base, 0);
}

// Random loads of boxes dropped on a grid, each only where its whole base meets one level
// (the floor or flat tops), told in random order.
RunResult RandomSupportedLoad(std::mt19937& random) {
    constexpr int kCell = 400;
    constexpr int kAlong = 10;
    constexpr int kAcross = 6;
    constexpr double kHeight = 2400;
    std::vector<double> levels(kAlong * kAcross, 0);
    const auto level = [&](int i, int j) -> double& {
        return levels[static_cast<std::size_t>(i * kAcross + j)];
    };
    std::vector<PlacedStack> stacks;
    std::uniform_int_distribution<int> along(0, kAlong - 1);
    std::uniform_int_distribution<int> across(0, kAcross - 1);
    std::uniform_int_distribution<int> size(1, 3);
    std::uniform_int_distribution<int> height(1, 4);
    std::uniform_int_distribution<int> count(1, 2);
    for (int attempt = 0; attempt < 60; ++attempt) {
        const int x = along(random);
        const int y = across(random);
        const int l = std::min(size(random), kAlong - x);
        const int w = std::min(size(random) % 2 + 1, kAcross - y);
        const double h = 200.0 * height(random);
        const int n = count(random);
        const double base = level(x, y);
        bool flat = base + n * h <= kHeight;
        for (int i = x; i < x + l; ++i) {
            for (int j = y; j < y + w; ++j) {
                flat = flat && level(i, j) == base;
            }
        }
        if (!flat) {
            continue;
        }
        for (int i = x; i < x + l; ++i) {
            for (int j = y; j < y + w; ++j) {
                level(i, j) = base + n * h;
            }
        }
        stacks.push_back(Stack(x * kCell, y * kCell, (x + l) * kCell, (y + w) * kCell, base, h, n));
    }
    std::shuffle(stacks.begin(), stacks.end(), random);
    return DensePlan(std::move(stacks));
}

TEST(LoadingOrderTest, NoStackIsListedBeforeWhatItStandsOnOrWhatLiesBetweenItAndTheFrontWall) {
    std::mt19937 random(20);
    const Container spec = Box(4000, 2400, 2400);
    for (int plan = 0; plan < 300; ++plan) {
        const RunResult result = RandomSupportedLoad(random);
        const auto rows = MakeLoadingList(result, 1, spec, {}, {});
        ASSERT_EQ(rows.size(), result.stacks.size());
        const std::vector<int> position = Positions(rows, result.stacks.size());
        for (std::size_t a = 0; a < result.stacks.size(); ++a) {
            ASSERT_GT(position[a], 0) << "plan " << plan << " stack " << a << " is not listed";
            for (std::size_t b = 0; b < result.stacks.size(); ++b) {
                if (a != b && MustComeFirst(result.stacks[a], result.stacks[b])) {
                    EXPECT_LT(position[a], position[b]) << "plan " << plan;
                }
            }
        }
    }
}

// The same over dense plans of generated orders: boxes on any side, drums, payloads, every mode.
TEST(LoadingOrderTest, GeneratedDensePlansListEveryStackAfterWhatItNeedsFirst) {
    OrderGenerator generator(2026, GeneratorOptions{true, true});
    int stacked = 0;
    for (int n = 0; n < 12; ++n) {
        const GeneratedOrder order = generator.Next();
        std::vector<std::string> lines;
        std::istringstream in(order.text);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        OrderModel model;
        RunResult result;
        PlacementObserver nobody;
        RunOptions options;
        options.alternate = order.alternate;
        options.method = PlanMethod::Dense;
        // Any plan must keep the rule, so a short search serves as well as a long one.
        options.dense.stepBudget = 2000;
        options.dense.timeLimitSeconds = 0.5;
        try {
            PlanCalculation(lines, model, options, nobody, result);
        } catch (const OrderError&) {
            continue;
        }
        for (int c = 1; c <= result.containers; ++c) {
            const auto rows = MakeLoadingList(result, c, model.container, {}, {});
            std::vector<std::size_t> inside;
            for (const LoadingListRow& row : rows) {
                if (row.stack.shape == StackShape::Rectangular) {
                    inside.push_back(row.resultIndex);
                }
            }
            const std::vector<int> position = Positions(rows, result.stacks.size());
            for (const std::size_t a : inside) {
                stacked += result.stacks[a].base > 0 ? 1 : 0;
                for (const std::size_t b : inside) {
                    if (a != b && MustComeFirst(result.stacks[a], result.stacks[b])) {
                        EXPECT_LT(position[a], position[b]) << order.text;
                    }
                }
            }
        }
    }
    EXPECT_GT(stacked, 0);  // the orders do stand cargo on cargo
}

TEST(LoadingOrderTest, RowsPlansKeepTheirOrderFromTheFrontWall) {
    // The same stacks told as the rows' result: front wall first, then up, then across.
    RunResult result =
        DensePlan({Stack(500, 0, 1500, 800, 1000, 1000, 1), Stack(1000, 0, 1500, 800, 0, 1000, 1),
                   Stack(0, 0, 1000, 800, 0, 1000, 1)});
    result.method = PlanMethod::Rows;
    const auto rows = MakeLoadingList(result, 1, Box(6000, 2400, 2400), {}, {});
    EXPECT_EQ(rows[0].resultIndex, 2U);
    EXPECT_EQ(rows[1].resultIndex, 0U);
    EXPECT_EQ(rows[2].resultIndex, 1U);
}

}  // namespace
}  // namespace stowbel
