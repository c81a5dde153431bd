#include "calc/dense/check_plan.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <string>

namespace stowbel::dense {
namespace {

struct Cuboid {
    std::int64_t x1, y1, z1, x2, y2, z2;
};

Cuboid CuboidOf(const PlacedBox& b) {
    return {b.x, b.y, b.z, b.x + b.size.along, b.y + b.size.across, b.z + b.size.height};
}

bool OpenOverlap(std::int64_t a1, std::int64_t a2, std::int64_t b1, std::int64_t b2) {
    return a1 < b2 && b1 < a2;
}

std::int64_t Overlap(std::int64_t a1, std::int64_t a2, std::int64_t b1, std::int64_t b2) {
    return std::max<std::int64_t>(0, std::min(a2, b2) - std::max(a1, b1));
}

// Footprints grown by the gap on the far sides overlap exactly when the two are nearer than the
// gap in both horizontal directions.
bool TooNear(const Cuboid& a, const Cuboid& b, std::int64_t gap) {
    return OpenOverlap(a.x1, a.x2 + gap, b.x1, b.x2 + gap) &&
           OpenOverlap(a.y1, a.y2 + gap, b.y1, b.y2 + gap) && OpenOverlap(a.z1, a.z2, b.z1, b.z2);
}

std::string Name(std::size_t index) {
    return "box " + std::to_string(index);
}

class PlanChecker {
public:
    PlanChecker(const Hold& hold, const std::vector<BoxKind>& kinds, const PackResult& result)
        : hold_(hold), kinds_(kinds), result_(result) {}

    std::vector<std::string> Run() {
        std::map<int, std::vector<std::size_t>> byContainer;
        for (std::size_t i = 0; i < result_.boxes.size(); ++i) {
            CheckBox(i);
            byContainer[result_.boxes[i].container].push_back(i);
        }
        CheckQuantities();
        for (const auto& [container, indices] : byContainer) {
            CheckPairs(indices);
            CheckSupport(indices);
            CheckMasses(container, indices);
            CheckLoadingOrder(indices);
        }
        return std::move(violations_);
    }

private:
    void Report(std::string text) { violations_.push_back(std::move(text)); }

    void CheckBox(std::size_t i) {
        const PlacedBox& b = result_.boxes[i];
        if (b.kind < 0 || static_cast<std::size_t>(b.kind) >= kinds_.size()) {
            Report(Name(i) + ": no such kind");
            return;
        }
        if (b.container < 1 || b.container > result_.containers)
            Report(Name(i) + ": container " + std::to_string(b.container) + " out of range");
        const auto& allowed = kinds_[static_cast<std::size_t>(b.kind)].orientations;
        if (std::find(allowed.begin(), allowed.end(), b.size) == allowed.end())
            Report(Name(i) + ": orientation not allowed");
        const Cuboid c = CuboidOf(b);
        const std::int64_t side = hold_.sideClearance;
        if (c.x1 < 0 || c.x2 > hold_.length || c.y1 < side || c.y2 > hold_.width - side ||
            c.z1 < 0 || c.z2 > hold_.height)
            Report(Name(i) + ": outside the container or within the side clearance");
        for (const Obstacle& o : hold_.obstacles) {
            const Cuboid oc{o.x1, o.y1, 0, o.x2, o.y2, o.height};
            if (TooNear(c, oc, hold_.gap) || TooNear(oc, c, hold_.gap))
                Report(Name(i) + ": overlaps an obstacle or is nearer to it than the gap");
        }
    }

    void CheckQuantities() {
        std::vector<int> used(kinds_.size(), 0);
        for (const PlacedBox& b : result_.boxes)
            if (b.kind >= 0 && static_cast<std::size_t>(b.kind) < kinds_.size())
                ++used[static_cast<std::size_t>(b.kind)];
        for (std::size_t k = 0; k < kinds_.size(); ++k)
            if (used[k] > kinds_[k].quantity)
                Report("kind " + std::to_string(k) + ": more boxes than its quantity");
    }

    void CheckPairs(const std::vector<std::size_t>& indices) {
        for (std::size_t a = 0; a < indices.size(); ++a) {
            const Cuboid ca = CuboidOf(result_.boxes[indices[a]]);
            for (std::size_t b = a + 1; b < indices.size(); ++b) {
                const Cuboid cb = CuboidOf(result_.boxes[indices[b]]);
                if (OpenOverlap(ca.x1, ca.x2, cb.x1, cb.x2) &&
                    OpenOverlap(ca.y1, ca.y2, cb.y1, cb.y2) &&
                    OpenOverlap(ca.z1, ca.z2, cb.z1, cb.z2))
                    Report(Name(indices[a]) + " and " + Name(indices[b]) + " share volume");
                else if (TooNear(ca, cb, hold_.gap) || TooNear(cb, ca, hold_.gap))
                    Report(Name(indices[a]) + " and " + Name(indices[b]) +
                           " are nearer than the gap");
            }
        }
    }

    // Boxes never share volume (checked apart), so the tops at one height are disjoint and the
    // base is covered exactly when the carried parts add up to its whole area.
    void CheckSupport(const std::vector<std::size_t>& indices) {
        for (std::size_t i : indices) {
            const Cuboid c = CuboidOf(result_.boxes[i]);
            if (c.z1 == 0)
                continue;
            std::int64_t carried = 0;
            for (std::size_t j : indices) {
                const Cuboid u = CuboidOf(result_.boxes[j]);
                if (j != i && u.z2 == c.z1)
                    carried += Overlap(c.x1, c.x2, u.x1, u.x2) * Overlap(c.y1, c.y2, u.y1, u.y2);
            }
            if (carried != (c.x2 - c.x1) * (c.y2 - c.y1))
                Report(Name(i) + ": not fully supported");
        }
    }

    double Mass(std::size_t i) const {
        return kinds_[static_cast<std::size_t>(result_.boxes[i].kind)].unitMass.value_or(0.0);
    }

    void CheckMasses(int container, const std::vector<std::size_t>& indices) {
        double total = 0;
        for (std::size_t i : indices)
            total += Mass(i);
        if (hold_.payload && total > *hold_.payload * (1 + 1e-9))
            Report("container " + std::to_string(container) + ": heavier than the payload");

        // The load on a unit: every unit standing directly on it passes down its own mass and
        // its load, shared among its carriers by the part of its base each carries. Worked from
        // the highest base down, every load is complete before it is passed on.
        std::vector<std::size_t> order = indices;
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return result_.boxes[a].z > result_.boxes[b].z;
        });
        std::map<std::size_t, double> load;
        for (std::size_t v : order) {
            const Cuboid cv = CuboidOf(result_.boxes[v]);
            const double base = static_cast<double>((cv.x2 - cv.x1) * (cv.y2 - cv.y1));
            for (std::size_t u : indices) {
                const Cuboid cu = CuboidOf(result_.boxes[u]);
                if (u == v || cu.z2 != cv.z1)
                    continue;
                const auto area =
                    Overlap(cv.x1, cv.x2, cu.x1, cu.x2) * Overlap(cv.y1, cv.y2, cu.y1, cu.y2);
                if (area > 0)
                    load[u] += static_cast<double>(area) / base * (Mass(v) + load[v]);
            }
        }
        for (std::size_t i : indices) {
            const auto& limit = kinds_[static_cast<std::size_t>(result_.boxes[i].kind)].loadLimit;
            if (limit && load[i] > *limit + 1e-9 * std::max(1.0, *limit))
                Report(Name(i) + ": carries more than its load limit");
        }
    }

    // A box must not be loaded before one it stands on, nor before one nearer the front wall
    // that it would block.
    void CheckLoadingOrder(const std::vector<std::size_t>& indices) {
        for (std::size_t a = 0; a < indices.size(); ++a) {
            const Cuboid first = CuboidOf(result_.boxes[indices[a]]);
            for (std::size_t b = a + 1; b < indices.size(); ++b) {
                const Cuboid later = CuboidOf(result_.boxes[indices[b]]);
                const bool carries = later.z2 == first.z1 &&
                                     OpenOverlap(later.x1, later.x2, first.x1, first.x2) &&
                                     OpenOverlap(later.y1, later.y2, first.y1, first.y2);
                const bool inTheWay = later.x2 <= first.x1 &&
                                      OpenOverlap(later.y1, later.y2, first.y1, first.y2) &&
                                      OpenOverlap(later.z1, later.z2, first.z1, first.z2);
                if (carries || inTheWay)
                    Report(Name(indices[a]) + " is loaded before " + Name(indices[b]) +
                           (carries ? ", which carries it" : ", which it blocks"));
            }
        }
    }

    const Hold& hold_;
    const std::vector<BoxKind>& kinds_;
    const PackResult& result_;
    std::vector<std::string> violations_;
};

}  // namespace

std::vector<std::string> CheckPlan(const Hold& hold, const std::vector<BoxKind>& kinds,
                                   const PackResult& result) {
    return PlanChecker(hold, kinds, result).Run();
}

}  // namespace stowbel::dense
