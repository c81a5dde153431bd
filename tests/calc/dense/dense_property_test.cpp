// Generated instances of every kind the packing meets: every plan keeps the rules, and the same
// input always gives the same plan.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "calc/dense/check_plan.h"
#include "calc/dense/dense_pack.h"

namespace stowbel::dense {
namespace {

struct Instance {
    Hold hold;
    std::vector<BoxKind> kinds;
};

class InstanceGenerator {
public:
    explicit InstanceGenerator(std::uint64_t seed) : random_(seed) {}

    Instance Next() {
        Instance inst;
        Hold& h = inst.hold;
        h.length = Between(800, 6000);
        h.width = Between(600, 2400);
        h.height = Between(400, 2400);
        h.gap = Chance(3) ? Between(1, 60) : 0;
        h.sideClearance = Chance(3) ? Between(1, 50) : 0;
        const bool heavy = Chance(2);
        if (heavy && Chance(2))
            h.payload = static_cast<double>(Between(50, 3000));
        const auto obstacles = Between(0, 2);
        for (std::int64_t i = 0; i < obstacles; ++i) {
            const std::int64_t x = Between(0, h.length - 300), y = Between(0, h.width - 300);
            h.obstacles.push_back(
                {x, y, x + Between(100, 600), y + Between(100, 600), Between(100, h.height)});
        }
        const auto kinds = Between(1, 6);
        for (std::int64_t k = 0; k < kinds; ++k) {
            BoxKind kind;
            kind.id = static_cast<int>(k) + 1;
            kind.quantity = static_cast<int>(Between(1, 60));
            const std::int64_t a = Between(100, 1300), b = Between(100, 1300),
                               c = Between(100, 1200);
            kind.orientations = Orientations(a, b, c, static_cast<int>(Between(0, 2)));
            if (heavy) {
                kind.unitMass = static_cast<double>(Between(1, 200));
                if (Chance(2))
                    kind.loadLimit = static_cast<double>(Between(0, 400));
            }
            inst.kinds.push_back(std::move(kind));
        }
        return inst;
    }

private:
    std::int64_t Between(std::int64_t lo, std::int64_t hi) {
        return std::uniform_int_distribution<std::int64_t>(lo, std::max(lo, hi))(random_);
    }
    bool Chance(int oneIn) { return Between(1, oneIn) == 1; }

    // 0: standing only, turning about the vertical; 1: also on one side; 2: any side.
    static std::vector<Extent> Orientations(std::int64_t a, std::int64_t b, std::int64_t c,
                                            int freedom) {
        std::vector<Extent> all{{a, b, c}, {b, a, c}};
        if (freedom >= 1) {
            all.push_back({a, c, b});
            all.push_back({c, a, b});
        }
        if (freedom >= 2) {
            all.push_back({b, c, a});
            all.push_back({c, b, a});
        }
        std::vector<Extent> distinct;
        for (const Extent& e : all)
            if (std::find(distinct.begin(), distinct.end(), e) == distinct.end())
                distinct.push_back(e);
        return distinct;
    }

    std::mt19937_64 random_;
};

bool SamePlan(const PackResult& a, const PackResult& b) {
    if (a.boxes.size() != b.boxes.size() || a.containers != b.containers)
        return false;
    for (std::size_t i = 0; i < a.boxes.size(); ++i) {
        const PlacedBox& p = a.boxes[i];
        const PlacedBox& q = b.boxes[i];
        if (p.kind != q.kind || p.container != q.container || p.x != q.x || p.y != q.y ||
            p.z != q.z || !(p.size == q.size))
            return false;
    }
    return true;
}

TEST(DensePropertyTest, GeneratedInstancesGiveLoadableRepeatablePlans) {
    constexpr std::uint64_t kSeed = 20261211;
    constexpr int kInstances = 60;
    InstanceGenerator generator(kSeed);
    SearchLimits limits;
    limits.stepBudget = 200;
    int boxes = 0, stacked = 0;
    for (int i = 0; i < kInstances; ++i) {
        const Instance inst = generator.Next();
        const PackResult one = PackOne(inst.hold, inst.kinds, limits);
        const PackResult all = PackAll(inst.hold, inst.kinds, limits, 3);
        EXPECT_EQ(CheckPlan(inst.hold, inst.kinds, one), std::vector<std::string>{})
            << "instance " << i << ", one container";
        EXPECT_EQ(CheckPlan(inst.hold, inst.kinds, all), std::vector<std::string>{})
            << "instance " << i << ", all containers";
        EXPECT_TRUE(SamePlan(one, PackOne(inst.hold, inst.kinds, limits))) << "instance " << i;
        EXPECT_TRUE(SamePlan(all, PackAll(inst.hold, inst.kinds, limits, 3))) << "instance " << i;
        boxes += static_cast<int>(one.boxes.size());
        stacked += static_cast<int>(std::count_if(one.boxes.begin(), one.boxes.end(),
                                                  [](const PlacedBox& b) { return b.z > 0; }));
    }
    // A generator that drifted into empty or flat plans would prove little.
    EXPECT_GT(boxes, 10 * kInstances);
    EXPECT_GT(stacked, 3 * kInstances);
}

}  // namespace
}  // namespace stowbel::dense
