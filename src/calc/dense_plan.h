#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "calc/dense/dense_pack.h"
#include "calc/placement_observer.h"
#include "calc/run.h"
#include "order/model.h"

namespace stowbel {

// One cargo line of an order planned by dense loading, as the order gives it.
struct DenseLine {
    int index = 0;        // 0-based line index in the order text
    int typeCount = 0;    // the line's number among the cargo lines, from 1
    int colourIndex = 0;  // its CargoPalette entry
    CargoType type;
};

// A box of a dense plan, in whole millimetres: x along from the front wall, y across from the
// first side wall, z up from the floor.
struct DenseBox {
    int line = 0;  // index into the plan's lines
    int container = 1;
    std::int64_t x = 0, y = 0, z = 0;
    dense::Extent size;
};

// Round units are laid as the rows lay them: one event per floor position.
struct DenseRound {
    int line = 0;  // index into the plan's lines
    int container = 1;
    std::variant<RoundEvent, LyingRoundEvent> event;
};

struct DensePlan {
    std::vector<DenseLine> lines;
    std::vector<DenseRound> rounds;  // container by container, in the order laid
    std::vector<DenseBox> boxes;     // container by container, in loading order
    int containers = 0;
    bool timeLimitReached = false;
};

// Lays the lines into containers: round lines at the front of each container as the rows lay
// them, boxes around them by the dense search. ISIN fills one container with the most volume;
// HMAN fills container after container until every unit has a place; IDBL fills the first
// container like ISIN and takes what is left of the first two lines into a second one. Throws
// RunCancelled when options.dense.cancelled says so.
DensePlan MakeDensePlan(const Container& spec, std::vector<DenseLine> lines,
                        const RunOptions& options);

// The cargo volume of one unit of a line, mm³: a box or a drum.
long double UnitVolume(const CargoType& type);

// The plan's stacks, events and report, as a run gives them.
void EmitDensePlan(const DensePlan& plan, const Container& spec, const RunOptions& options,
                   PlacementObserver& observer, RunResult& result);

}  // namespace stowbel
