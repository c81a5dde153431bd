#include "calc/dense/common_unit.h"

#include <numeric>

namespace stowbel::dense::detail {
namespace {

void Divide(std::int64_t& v, std::int64_t factor) {
    v /= factor;
}

}  // namespace

CommonUnit InCommonUnit(const Hold& hold, const std::vector<BoxKind>& kinds) {
    std::int64_t g = 0;
    auto take = [&](std::int64_t v) { g = std::gcd(g, v < 0 ? -v : v); };
    take(hold.length);
    take(hold.width);
    take(hold.height);
    take(hold.sideClearance);
    take(hold.gap);
    for (const Obstacle& o : hold.obstacles) {
        take(o.x1);
        take(o.y1);
        take(o.x2);
        take(o.y2);
        take(o.height);
    }
    for (const BoxKind& k : kinds)
        for (const Extent& e : k.orientations) {
            take(e.along);
            take(e.across);
            take(e.height);
        }
    CommonUnit unit{g > 1 ? g : 1, hold, kinds};
    if (unit.factor == 1)
        return unit;
    const std::int64_t f = unit.factor;
    for (std::int64_t* v : {&unit.hold.length, &unit.hold.width, &unit.hold.height,
                            &unit.hold.sideClearance, &unit.hold.gap})
        Divide(*v, f);
    for (Obstacle& o : unit.hold.obstacles)
        for (std::int64_t* v : {&o.x1, &o.y1, &o.x2, &o.y2, &o.height})
            Divide(*v, f);
    for (BoxKind& k : unit.kinds)
        for (Extent& e : k.orientations)
            for (std::int64_t* v : {&e.along, &e.across, &e.height})
                Divide(*v, f);
    return unit;
}

void ScaleBack(const CommonUnit& unit, std::vector<PlacedBox>& boxes) {
    const std::int64_t f = unit.factor;
    if (f == 1)
        return;
    for (PlacedBox& b : boxes) {
        b.x *= f;
        b.y *= f;
        b.z *= f;
        b.size.along *= f;
        b.size.across *= f;
        b.size.height *= f;
    }
}

}  // namespace stowbel::dense::detail
