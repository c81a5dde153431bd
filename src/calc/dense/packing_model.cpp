#include "calc/dense/packing_model.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace stowbel::dense::detail {
namespace {

int MaxTiers(const BoxKind& kind) {
    if (!kind.loadLimit || !kind.unitMass || *kind.unitMass <= 0)
        return std::numeric_limits<int>::max();
    const double carried = std::floor(*kind.loadLimit / *kind.unitMass + 1e-9);
    return carried >= 1e6 ? std::numeric_limits<int>::max() : static_cast<int>(carried) + 1;
}

}  // namespace

Problem MakeProblem(const Hold& hold, const std::vector<BoxKind>& kinds,
                    const std::vector<int>& available) {
    Problem p;
    p.gap = hold.gap;
    p.payload = hold.payload;
    p.usable = {0,
                hold.sideClearance,
                0,
                hold.length + hold.gap,
                hold.width - hold.sideClearance + hold.gap,
                hold.height};
    for (const Obstacle& o : hold.obstacles)
        p.obstacles.push_back({o.x1, o.y1, 0, o.x2 + hold.gap, o.y2 + hold.gap, o.height});
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        const BoxKind& kind = kinds[k];
        KindModel m;
        m.quantity = available[k];
        m.mass = kind.unitMass.value_or(0.0);
        m.loadLimit = kind.loadLimit;
        m.maxTiers = MaxTiers(kind);
        if (kind.loadLimit)
            p.trackLoads = true;
        for (const Extent& e : kind.orientations) {
            if (e.along <= 0 || e.across <= 0 || e.height <= 0)
                continue;
            m.unitVolume = e.along * e.across * e.height;
            m.orientations.push_back({e.along + hold.gap, e.across + hold.gap, e.height, e, -1});
        }
        for (std::size_t i = 0; i < m.orientations.size(); ++i)
            for (std::size_t j = 0; j < m.orientations.size(); ++j) {
                const Extent& a = m.orientations[i].real;
                const Extent& b = m.orientations[j].real;
                if (i != j && a.along == b.across && a.across == b.along && a.height == b.height)
                    m.orientations[i].turned = static_cast<int>(j);
            }
        p.kinds.push_back(std::move(m));
    }
    return p;
}

}  // namespace stowbel::dense::detail
