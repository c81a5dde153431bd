#pragma once

#include <cstdint>

#include "calc/payload_budget.h"
#include "calc/placement_observer.h"
#include "calc/run_state.h"
#include "order/model.h"

namespace stowbel {

// Everything one placement call works on: the order model, the run state and where the drawing
// goes. alternate is the option "Чередовать выравнивание".
struct PlacementContext {
    const Container& container;
    CargoTable& table;
    RunState& state;
    bool alternate;
    PlacementObserver& observer;
    // The mass the current container may still take; stacks are cut short by it.
    PayloadBudget& budget;
};

// Lays out the units of the type at state.TypeIndex from state.UsedLength on, draws every stack,
// lowers state.UnitsLeft by the units placed and advances state.UsedLength by state.TypeLength.
void PlaceCargoType(PlacementContext& context);

// Exact touches between a unit and a limit are decided with this allowance, so that floating
// point noise never refuses a position that the fitting counted.
inline constexpr long double kTouchTolerance = 1e-6L;

// The rows after which mixed rows change sides: BlockAlong unit lengths are as long as
// BlockAcross unit widths to within 1 mm.
struct AlignmentBlocks {
    std::int64_t along = 1;
    std::int64_t across = 0;
};
AlignmentBlocks FindAlignmentBlocks(double length, double width);

// Whether a row (from 1) of units laid along / across is pushed against the far side wall.
struct RowAlignment {
    bool alternate = true;
    double unitsPerRow = 0;  // units side by side in a row laid along the container
    double containerWidth = 0;
    double cellLength = 0;
    double cellWidth = 0;
    AlignmentBlocks blocks;

    bool AlongRowShifted(std::int64_t row) const;
    bool AcrossRowShifted(std::int64_t row) const;

private:
    bool Shifted(std::int64_t row, std::int64_t block) const;
};

}  // namespace stowbel
