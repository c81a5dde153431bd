#include "calc/dense/packing_state.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <tuple>

#include "calc/dense/free_spaces.h"

namespace stowbel::dense::detail {
namespace {

// Above this many columns in one block with a gap, the tops of single columns are not offered
// as floors (each would be its own small space).
constexpr int kMaxColumnFloors = 64;

const Orientation& OrientationOf(const Problem& problem, int kind, int orientation) {
    return problem.kinds[static_cast<std::size_t>(kind)]
        .orientations[static_cast<std::size_t>(orientation)];
}

// One column of identical boxes inside a placement, by its real outline.
struct Column {
    std::int64_t x1 = 0, y1 = 0, x2 = 0, y2 = 0, z1 = 0;
    int nz = 0;
};

std::vector<Column> ColumnsOf(const Problem& problem, const Placement& placement) {
    std::vector<Column> columns;
    for (const Cell& cell : CellsOf(problem, placement)) {
        const Orientation& o = OrientationOf(problem, placement.block.kind, cell.orientation);
        for (int i = 0; i < cell.nx; ++i)
            for (int j = 0; j < cell.ny; ++j) {
                const std::int64_t x = cell.x + i * o.a, y = cell.y + j * o.b;
                columns.push_back({x, y, x + o.real.along, y + o.real.across, cell.z, cell.nz});
            }
    }
    return columns;
}

std::int64_t Overlap(std::int64_t a1, std::int64_t a2, std::int64_t b1, std::int64_t b2) {
    return std::max<std::int64_t>(0, std::min(a2, b2) - std::max(a1, b1));
}

struct LoadDelta {
    std::size_t placement = 0, column = 0;
    double load = 0;
};

// Pending loads keyed so that the highest columns come first: a column passes its load down
// only once everything above it has arrived.
using PendingLoads = std::map<std::tuple<std::int64_t, std::size_t, std::size_t>, double>;

// Shares a load arriving on the base (x1..y2 at height z) among the columns whose tops carry it,
// by the part of the base each carries.
void ShareDown(const Problem& problem, const State& state, const Column& base, double load,
               PendingLoads& pending) {
    if (base.z1 == 0 || load == 0)
        return;
    const double area = static_cast<double>((base.x2 - base.x1) * (base.y2 - base.y1));
    for (std::size_t p = 0; p < state.placements.size(); ++p) {
        const Placement& below = state.placements[p];
        if (below.z + below.block.sizeZ != base.z1 || below.x >= base.x2 ||
            below.x + below.block.sizeX <= base.x1 || below.y >= base.y2 ||
            below.y + below.block.sizeY <= base.y1)
            continue;
        const std::vector<Column> columns = ColumnsOf(problem, below);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const Column& u = columns[c];
            const std::int64_t shared =
                Overlap(base.x1, base.x2, u.x1, u.x2) * Overlap(base.y1, base.y2, u.y1, u.y2);
            if (shared > 0)
                pending[{-u.z1, p, c}] += static_cast<double>(shared) / area * load;
        }
    }
}

// The load on a unit is the sum over the units standing directly on it of the part of their
// base it carries times their mass plus their own load. A column of identical boxes passes its
// top load and its boxes' masses to the columns under its base the same way; its bottom box
// carries the top load and all boxes above it.
bool LoadDeltas(const Problem& problem, const State& state, const Placement& placement,
                std::vector<LoadDelta>& deltas) {
    const KindModel& kind = problem.kinds[static_cast<std::size_t>(placement.block.kind)];
    if (kind.loadLimit && placement.block.nz > kind.maxTiers)
        return false;
    PendingLoads pending;
    for (const Column& column : ColumnsOf(problem, placement))
        ShareDown(problem, state, column, kind.mass * column.nz, pending);
    while (!pending.empty()) {
        const auto [key, load] = *pending.begin();
        pending.erase(pending.begin());
        const auto [negZ, p, c] = key;
        const Placement& below = state.placements[p];
        const KindModel& belowKind = problem.kinds[static_cast<std::size_t>(below.block.kind)];
        const Column column = ColumnsOf(problem, below)[c];
        const double top = state.columnLoads[p][c] + load;
        if (belowKind.loadLimit) {
            const double bottom = top + belowKind.mass * (column.nz - 1);
            if (bottom > *belowKind.loadLimit + 1e-9 * std::max(1.0, *belowKind.loadLimit))
                return false;
        }
        deltas.push_back({p, c, load});
        ShareDown(problem, state, column, load, pending);
    }
    return true;
}

}  // namespace

std::vector<Cell> CellsOf(const Problem& problem, const Placement& placement) {
    const Block& block = placement.block;
    if (!block.pattern)
        return {{placement.x, placement.y, placement.z, block.orientation, block.nx, block.ny,
                 block.nz}};
    const int turned = OrientationOf(problem, block.kind, block.orientation).turned;
    std::vector<Cell> cells;
    for (const FloorCell& f : block.pattern->cells)
        cells.push_back({placement.x + f.x, placement.y + f.y, placement.z,
                         f.turned ? turned : block.orientation, f.nx, f.ny, block.nz});
    return cells;
}

State InitialState(const Problem& problem) {
    State state;
    state.spaces.push_back(problem.usable);
    for (const Cuboid& o : problem.obstacles)
        TakeFromSpaces(state.spaces, o);
    for (const KindModel& k : problem.kinds)
        state.remaining.push_back(k.quantity);
    return state;
}

int PayloadAllows(const Problem& problem, const State& state, int kind) {
    const KindModel& k = problem.kinds[static_cast<std::size_t>(kind)];
    const int remaining = state.remaining[static_cast<std::size_t>(kind)];
    if (!problem.payload || k.mass <= 0)
        return remaining;
    const double room = std::floor((*problem.payload - state.mass) / k.mass + 1e-9);
    if (room <= 0)
        return 0;
    return room >= remaining ? remaining : static_cast<int>(room);
}

bool LoadsAllow(const Problem& problem, const State& state, const Placement& placement) {
    if (!problem.trackLoads)
        return true;
    std::vector<LoadDelta> deltas;
    return LoadDeltas(problem, state, placement, deltas);
}

void Place(const Problem& problem, State& state, const Placement& placement) {
    const Block& block = placement.block;
    if (problem.trackLoads) {
        std::vector<LoadDelta> deltas;
        LoadDeltas(problem, state, placement, deltas);
        for (const LoadDelta& d : deltas)
            state.columnLoads[d.placement][d.column] += d.load;
        state.columnLoads.emplace_back(ColumnsOf(problem, placement).size(), 0.0);
    }
    const Cuboid taken{placement.x,
                       placement.y,
                       placement.z,
                       placement.x + block.sizeX,
                       placement.y + block.sizeY,
                       placement.z + block.sizeZ};
    TakeFromSpaces(state.spaces, taken);
    const std::int64_t top = taken.z2, ceiling = problem.usable.z2;
    const std::vector<Cell> cells = CellsOf(problem, placement);
    if (problem.gap == 0) {
        for (const Cell& cell : cells) {
            const Orientation& o = OrientationOf(problem, block.kind, cell.orientation);
            AddCarriedFloor(
                state.spaces,
                {cell.x, cell.y, top, cell.x + cell.nx * o.a, cell.y + cell.ny * o.b, ceiling},
                true);
        }
    } else if (block.count / block.nz <= kMaxColumnFloors) {
        // Neighbouring tops are a gap apart: each column's top is a floor of its own.
        for (const Cell& cell : cells) {
            const Orientation& o = OrientationOf(problem, block.kind, cell.orientation);
            for (int i = 0; i < cell.nx; ++i)
                for (int j = 0; j < cell.ny; ++j) {
                    const std::int64_t x = cell.x + i * o.a, y = cell.y + j * o.b;
                    AddCarriedFloor(state.spaces, {x, y, top, x + o.a, y + o.b, ceiling}, false);
                }
        }
    }
    const KindModel& kind = problem.kinds[static_cast<std::size_t>(block.kind)];
    state.remaining[static_cast<std::size_t>(block.kind)] -= block.count;
    state.volume += block.volume;
    state.mass += kind.mass * block.count;
    state.placements.push_back(placement);
}

}  // namespace stowbel::dense::detail
