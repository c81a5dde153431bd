#include "calc/row_mending.h"

#include <algorithm>

namespace stowbel {

namespace {

// The wall rule. A row whose stacks would cross a side wall is moved across, toward the inside,
// just far enough to touch the wall: the second wall first, then the first, so that a row wider
// than the container keeps the first wall and its stacks past the second are left out later.
void KeepInside(PlannedRow& row, const AcrossLimits& limits) {
    if (row.High() > limits.high) {
        row.move -= row.High() - limits.high;
    }
    if (row.Low() < 0) {
        row.move -= row.Low();
    }
    row.movedByWall = row.move != 0;
}

bool ShareLength(const PlannedRow& a, const PlannedRow& b) {
    return std::min(a.x2, b.x2) > std::max(a.x1, b.x1);
}

// Moves a row away from the other lane (down: toward the first wall) by up to wanted mm, no
// further than its wall.
void MoveAway(PlannedRow& row, bool down, std::int64_t wanted, const AcrossLimits& limits) {
    const std::int64_t room = down ? row.Low() : limits.high - row.High();
    const auto step = static_cast<std::int32_t>(std::clamp<std::int64_t>(wanted, 0, room));
    row.move += down ? -step : step;
}

// The lane rule, for a row that lies toward the first wall (lane A, or a row of block C) and a
// lane B row beside it along the container. When their stacks overlap, one gives way and moves
// away from the other until the two keep the gap of unshifted lanes (so a shifted row that
// gives way takes its unshifted place, or the place beside a row that a wall moved):
// - the row that the alternation shifted gives way to the one that keeps its lane;
// - otherwise the row that a wall moved stays and pushes the other;
// - otherwise the row laid later (lane B) gives way.
// A row that reaches its wall stops there, and the other moves away by what still overlaps.
// A row of block C, laid last and over the full width, always gives way and pushes nothing.
void Separate(PlannedRow& lower, PlannedRow& upper, const AcrossLimits& limits, bool upperMayMove) {
    const auto gap = [&] { return static_cast<std::int64_t>(upper.Low()) - lower.High(); };
    if (gap() >= 0) {
        return;
    }
    bool lowerYields = false;
    if (!upperMayMove) {
        lowerYields = true;
    } else if (lower.displaced != upper.displaced) {
        lowerYields = lower.displaced;
    } else if (lower.movedByWall != upper.movedByWall) {
        lowerYields = !lower.movedByWall;
    }
    PlannedRow& yielder = lowerYields ? lower : upper;
    PlannedRow& keeper = lowerYields ? upper : lower;
    MoveAway(yielder, lowerYields, limits.laneGap - gap(), limits);
    if (gap() < 0 && upperMayMove) {
        MoveAway(keeper, !lowerYields, -gap(), limits);
    }
}

std::vector<PlannedRow*> RowsOf(std::vector<PlannedRow>& rows, StackBlock block) {
    std::vector<PlannedRow*> found;
    for (PlannedRow& row : rows) {
        if (row.block == block) {
            found.push_back(&row);
        }
    }
    return found;
}

// Every lane B row that shares length with the given row. Rows of a block follow each other
// along the container, so the lane B rows are in order of x.
template <typename Visit>
void ForLaneBRowsBeside(const PlannedRow& row, const std::vector<PlannedRow*>& laneB, Visit visit) {
    auto it = std::partition_point(laneB.begin(), laneB.end(),
                                   [&](const PlannedRow* b) { return b->x2 <= row.x1; });
    for (; it != laneB.end() && (*it)->x1 < row.x2; ++it) {
        if (ShareLength(row, **it)) {
            visit(**it);
        }
    }
}

}  // namespace

void MendRows(std::vector<PlannedRow>& rows, const AcrossLimits& limits) {
    for (PlannedRow& row : rows) {
        KeepInside(row, limits);
    }
    const std::vector<PlannedRow*> laneB = RowsOf(rows, StackBlock::B);
    for (PlannedRow* row : RowsOf(rows, StackBlock::A)) {
        ForLaneBRowsBeside(*row, laneB, [&](PlannedRow& b) { Separate(*row, b, limits, true); });
    }
    for (PlannedRow* row : RowsOf(rows, StackBlock::C)) {
        ForLaneBRowsBeside(*row, laneB, [&](PlannedRow& b) { Separate(*row, b, limits, false); });
    }
}

}  // namespace stowbel
