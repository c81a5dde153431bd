#pragma once

#include <cstdint>
#include <vector>

#include "calc/placement_observer.h"

namespace stowbel {

// One row of a rectangular type as the rows and slots lay it out: the stacks side by side
// across the container, all with the same extent along it.
struct PlannedRow {
    StackBlock block = StackBlock::A;
    std::int64_t number = 0;  // row number within its block, from 1
    // Moved across by the alternation (a shifted row with a non-zero RowSlack): away from where
    // its lane lies.
    bool displaced = false;
    std::int32_t x1 = 0, x2 = 0;
    std::vector<StackEvent> stacks;   // the slots that hold units, across the container in order
    std::vector<std::int64_t> slots;  // the slot number of each stack, from 1
    std::int32_t move = 0;            // whole mm the mending moved the row across (y grows)
    bool movedByWall = false;

    // Across extent of the row's stacks after the move.
    std::int32_t Low() const { return stacks.front().y1 + move; }
    std::int32_t High() const { return stacks.back().y2 + move; }
};

struct AcrossLimits {
    std::int32_t high = 0;  // the second side wall in whole mm (the first is 0)
    // Distance across between a lane A row and the lane B row beside it where neither is
    // shifted: the gap between units, as rounded.
    std::int32_t laneGap = 0;
};

// Moves rows across so that the plan can be loaded, as little as possible; rows whose laid-out
// place already keeps the rules are not touched. rows holds the rows of blocks A, B and C of one
// placement call in the order they are laid, each with at least one stack.
void MendRows(std::vector<PlannedRow>& rows, const AcrossLimits& limits);

}  // namespace stowbel
