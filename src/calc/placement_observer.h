#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calc/run_result.h"
#include "order/model.h"

namespace stowbel {

// The three blocks of a rectangular type: A laid along at the first wall, B laid across beside
// it, C laid across over the full width after the last full row of A.
enum class StackBlock { A, B, C };

// One floor position of a rectangular type with the units stacked on it.
struct StackEvent {
    int typeCount = 0;  // cargo lines read so far in the run: 1 for the first type
    StackBlock block = StackBlock::A;
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // floor rectangle, whole mm, x1 < x2, y1 < y2
    double unitHeight = 0;                        // after a stand-on-end exchange
    int count = 0;                                // units in the stack, layer 1 on the floor
    bool labelled = false;                        // the stack number is written
    long double labelX = 0, labelY = 0;           // label reference point, mm
    double base = 0;  // mm above the floor where the lowest unit stands; 0 for the rows
};

// One floor position of standing round units.
struct RoundEvent {
    int typeCount = 0;
    long double x = 0, y = 0;  // centre, mm from the front wall and the first side wall
    double diameter = 0;
    double unitHeight = 0;
    int count = 0;
};

// Round units lying with their axis across the container, end to end.
struct LyingRoundEvent {
    int typeCount = 0;
    long double x = 0;  // axis position along the container, mm
    long double z = 0;  // axis depth below the ceiling, mm
    long double y = 0;  // near end of the first unit across the container, mm
    double diameter = 0;
    double axisLength = 0;  // length of one unit along its axis
    int count = 0;          // units end to end on this axis
};

// What the calculation tells the pictures. The calculation knows no pixels: positions are in
// millimetres, and the drawing decides what to draw where.
class PlacementObserver {
public:
    virtual ~PlacementObserver() = default;

    // The container line is read; the first container begins.
    virtual void RunPrepared(const Container& /*container*/) {}
    // Told right after RunPrepared by a planner other than the rows, which never tell it: the
    // drawing may then order what it draws by place instead of by the order it is told.
    virtual void MethodChosen(PlanMethod /*method*/) {}
    // The units that follow are drawn in this colour.
    virtual void TypeColourSet(Colour /*colour*/) {}
    // A next container begins; number counts containers from 1 over the run.
    virtual void ContainerBegun(int /*number*/) {}
    virtual void StackPlaced(const StackEvent& /*stack*/) {}
    virtual void RoundPlaced(const RoundEvent& /*unit*/) {}
    virtual void LyingRoundPlaced(const LyingRoundEvent& /*unit*/) {}
    // The run leaves the current container (for a next one, or at its end) in an order that
    // gives a payload: what the container carries and where its centre of gravity lies.
    virtual void ContainerWeighed(const ContainerWeight& /*load*/) {}
    virtual void ReportComplete(const std::vector<std::string>& /*lines*/) {}
};

}  // namespace stowbel
