#include "calc/dense/block_candidates.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace stowbel::dense::detail {
namespace {

// Patterns are only worth solving on floors that hold a fair number of boxes.
constexpr int kMinPatternCount = 4;

Block Grid(int kind, int orientation, const Orientation& o, const KindModel& k, int nx, int ny,
           int nz) {
    Block b;
    b.kind = kind;
    b.orientation = orientation;
    b.nx = nx;
    b.ny = ny;
    b.nz = nz;
    b.sizeX = nx * o.a;
    b.sizeY = ny * o.b;
    b.sizeZ = nz * o.c;
    b.count = nx * ny * nz;
    b.volume = b.count * k.unitVolume;
    return b;
}

int Fit(std::int64_t room, std::int64_t size) {
    const std::int64_t n = room / size;
    return n > 1000000 ? 1000000 : static_cast<int>(n);
}

}  // namespace

bool BetterBlock(const Block& a, const Block& b) {
    if (a.volume != b.volume)
        return a.volume > b.volume;
    if (a.kind != b.kind)
        return a.kind < b.kind;
    if ((a.pattern == nullptr) != (b.pattern == nullptr))
        return a.pattern == nullptr;
    return std::tie(a.orientation, a.nz, a.ny, a.nx) < std::tie(b.orientation, b.nz, b.ny, b.nx);
}

void BlockMaker::Candidates(const State& state, const Cuboid& space, std::vector<Block>& out) {
    const std::size_t first = out.size();
    for (std::size_t k = 0; k < problem_.kinds.size(); ++k) {
        const int kind = static_cast<int>(k);
        const int available = PayloadAllows(problem_, state, kind);
        if (available <= 0)
            continue;
        const KindModel& model = problem_.kinds[k];
        for (std::size_t o = 0; o < model.orientations.size(); ++o) {
            GridBlocks(kind, static_cast<int>(o), space, available, out);
            PatternBlock(kind, static_cast<int>(o), space, available, out);
        }
    }
    std::sort(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(), BetterBlock);
}

// Where the boxes left do not fill the whole grid the space allows, the block grows along the
// axes in each order of priority, so that columns, walls and layers all get offered.
void BlockMaker::GridBlocks(int kind, int orientation, const Cuboid& space, int available,
                            std::vector<Block>& out) const {
    const KindModel& k = problem_.kinds[static_cast<std::size_t>(kind)];
    const Orientation& o = k.orientations[static_cast<std::size_t>(orientation)];
    const std::array<int, 3> most{Fit(space.SizeX(), o.a), Fit(space.SizeY(), o.b),
                                  std::min(Fit(space.SizeZ(), o.c), k.maxTiers)};
    if (most[0] == 0 || most[1] == 0 || most[2] == 0)
        return;
    const std::int64_t all = static_cast<std::int64_t>(most[0]) * most[1] * most[2];
    if (all <= available) {
        out.push_back(Grid(kind, orientation, o, k, most[0], most[1], most[2]));
        return;
    }
    static constexpr std::array<std::array<int, 3>, 6> kOrders{
        {{2, 1, 0}, {2, 0, 1}, {1, 2, 0}, {0, 2, 1}, {1, 0, 2}, {0, 1, 2}}};
    const std::size_t first = out.size();
    for (const auto& order : kOrders) {
        std::array<int, 3> n{1, 1, 1};
        int left = available;
        for (int axis : order) {
            const auto a = static_cast<std::size_t>(axis);
            n[a] = std::max(1, std::min(most[a], left));
            left /= n[a];
        }
        const Block b = Grid(kind, orientation, o, k, n[0], n[1], n[2]);
        const bool seen = std::any_of(
            out.begin() + static_cast<std::ptrdiff_t>(first), out.end(),
            [&](const Block& c) { return c.nx == b.nx && c.ny == b.ny && c.nz == b.nz; });
        if (!seen)
            out.push_back(b);
    }
}

void BlockMaker::PatternBlock(int kind, int orientation, const Cuboid& space, int available,
                              std::vector<Block>& out) {
    const KindModel& k = problem_.kinds[static_cast<std::size_t>(kind)];
    const Orientation& o = k.orientations[static_cast<std::size_t>(orientation)];
    if (o.turned < 0 || o.turned < orientation || o.a == o.b || space.SizeZ() < o.c)
        return;
    const std::int64_t plain = (space.SizeX() / o.a) * (space.SizeY() / o.b);
    const std::int64_t turned = (space.SizeX() / o.b) * (space.SizeY() / o.a);
    const std::int64_t grid = std::max(plain, turned);
    if (grid + 1 < kMinPatternCount || grid + 1 > available)
        return;
    const FloorPattern& pattern = patterns_.Pattern(space.SizeX(), space.SizeY(), o.a, o.b);
    if (pattern.count <= grid || pattern.count > available)
        return;
    const int tiers = std::min({Fit(space.SizeZ(), o.c), k.maxTiers, available / pattern.count});
    Block b;
    b.kind = kind;
    b.orientation = orientation;
    b.nz = tiers;
    b.pattern = &pattern;
    b.sizeX = pattern.sizeX;
    b.sizeY = pattern.sizeY;
    b.sizeZ = tiers * o.c;
    b.count = pattern.count * tiers;
    b.volume = b.count * k.unitVolume;
    out.push_back(b);
}

const FloorPattern& PatternStore::Pattern(std::int64_t sizeX, std::int64_t sizeY, std::int64_t a,
                                          std::int64_t b) {
    auto& slot = patterns_[{sizeX, sizeY, a, b}];
    if (!slot)
        slot = std::make_unique<FloorPattern>(SolveFloorPattern(sizeX, sizeY, a, b));
    return *slot;
}

}  // namespace stowbel::dense::detail
