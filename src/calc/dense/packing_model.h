#pragma once

// The packing's own view of a problem. The hold's gap is folded into the sizes: every box and
// obstacle is grown by the gap along and across and the usable floor by the gap too, so that
// grown boxes that merely do not overlap keep the gap in the real plan. A box standing on one
// other box keeps its base on that box's top exactly when the grown footprints nest.

#include <cstdint>
#include <optional>
#include <vector>

#include "calc/dense/dense_pack.h"

namespace stowbel::dense::detail {

struct Cuboid {
    std::int64_t x1 = 0, y1 = 0, z1 = 0, x2 = 0, y2 = 0, z2 = 0;

    std::int64_t SizeX() const { return x2 - x1; }
    std::int64_t SizeY() const { return y2 - y1; }
    std::int64_t SizeZ() const { return z2 - z1; }
    bool Overlaps(const Cuboid& o) const {
        return x1 < o.x2 && o.x1 < x2 && y1 < o.y2 && o.y1 < y2 && z1 < o.z2 && o.z1 < z2;
    }
    bool Contains(const Cuboid& o) const {
        return x1 <= o.x1 && o.x2 <= x2 && y1 <= o.y1 && o.y2 <= y2 && z1 <= o.z1 && o.z2 <= z2;
    }
    friend bool operator==(const Cuboid&, const Cuboid&) = default;
};

// One allowed orientation with its grown sizes.
struct Orientation {
    std::int64_t a = 0, b = 0, c = 0;  // along and across grown by the gap; height as it is
    Extent real;
    int turned = -1;  // the orientation with along and across swapped, when allowed
};

struct KindModel {
    std::vector<Orientation> orientations;
    int quantity = 0;
    double mass = 0;
    std::optional<double> loadLimit;
    std::int64_t unitVolume = 0;
    int maxTiers = 0;  // most boxes of this kind in one column of its own
};

struct Problem {
    Cuboid usable;  // grown floor, full height
    std::int64_t gap = 0;
    std::optional<double> payload;
    bool trackLoads = false;  // some kind has a load limit
    std::vector<KindModel> kinds;
    std::vector<Cuboid> obstacles;  // grown
};

Problem MakeProblem(const Hold& hold, const std::vector<BoxKind>& kinds,
                    const std::vector<int>& available);

}  // namespace stowbel::dense::detail
