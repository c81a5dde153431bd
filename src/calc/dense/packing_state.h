#pragma once

// A partial plan: the blocks placed so far, the free spaces left, what remains to load.

#include <cstdint>
#include <vector>

#include "calc/dense/floor_pattern.h"
#include "calc/dense/packing_model.h"

namespace stowbel::dense::detail {

// A block of boxes of one kind: nx x ny x nz boxes in one orientation, or a floor pattern of
// the kind (the orientation and its turned twin) repeated in nz tiers. Its top is flat.
struct Block {
    int kind = 0;
    int orientation = 0;
    int nx = 0, ny = 0, nz = 0;
    const FloorPattern* pattern = nullptr;  // owned by the search's pattern store
    std::int64_t sizeX = 0, sizeY = 0, sizeZ = 0;
    int count = 0;
    std::int64_t volume = 0;  // of the real boxes
};

struct Placement {
    Block block;
    std::int64_t x = 0, y = 0, z = 0;
};

// Boxes of one orientation in a grid within a placement.
struct Cell {
    std::int64_t x = 0, y = 0, z = 0;
    int orientation = 0;
    int nx = 0, ny = 0, nz = 0;
};

std::vector<Cell> CellsOf(const Problem& problem, const Placement& placement);

struct State {
    std::vector<Cuboid> spaces;
    std::vector<Placement> placements;
    std::vector<int> remaining;  // per kind
    std::int64_t volume = 0;
    double mass = 0;
    // Per placement, per column of boxes (cells in order, x then y): the load on its top box.
    std::vector<std::vector<double>> columnLoads;
};

State InitialState(const Problem& problem);

// How many more boxes of a kind the payload allows.
int PayloadAllows(const Problem& problem, const State& state, int kind);

// Whether the block may stand at its place without any box carrying more than its load limit.
bool LoadsAllow(const Problem& problem, const State& state, const Placement& placement);

// Places the block (its load already checked) and updates spaces, loads and what remains.
void Place(const Problem& problem, State& state, const Placement& placement);

}  // namespace stowbel::dense::detail
