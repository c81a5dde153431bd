#pragma once

// Single-kind floor patterns: the most a x b rectangles (either way round) on an X x Y floor.
// Guillotine cuts and, where the floor is small enough in pattern positions, first-order
// non-guillotine five-block partitions (a pinwheel of four blocks around a centre block), each
// block again solved the same way.

#include <cstdint>
#include <vector>

namespace stowbel::dense::detail {

struct FloorCell {
    std::int64_t x = 0, y = 0;  // corner of the cell on the floor
    bool turned = false;        // rectangles lie b along, a across
    int nx = 0, ny = 0;         // rectangles along and across
};

struct FloorPattern {
    int count = 0;
    std::int64_t sizeX = 0, sizeY = 0;  // the cells' outline
    std::vector<FloorCell> cells;
};

struct FloorPatternLimits {
    std::int64_t maxStates = 40000;            // raster positions along x across
    std::int64_t maxFiveBlockWork = 30000000;  // inner evaluations of five-block partitions
};

FloorPattern SolveFloorPattern(std::int64_t sizeX, std::int64_t sizeY, std::int64_t a,
                               std::int64_t b, const FloorPatternLimits& limits = {});

}  // namespace stowbel::dense::detail
