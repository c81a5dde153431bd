#pragma once

#include <string>
#include <vector>

#include "calc/placement_observer.h"
#include "calc/run_result.h"
#include "order/model.h"

namespace stowbel {

// The rules every plan keeps, whatever the order, checked on the result data alone:
// - every stack lies inside its container: rectangles and standing circles on the floor plan,
//   lying cylinders also between floor and ceiling, and no stack higher than the container;
// - no two stacks of one container share floor (touching is fine; whole-millimetre corners may
//   overlap by the 0.5 mm of their rounding); lying cylinders of one type may lie above each
//   other but never inside each other;
// - the units of all stacks add up to the units placed;
// - no container carries more than the order's payload;
// - stacks share floor only where one stands above the other: units whose heights overlap never
//   share space;
// - dense plans also: rectangular stacks keep the side clearance from both side walls and the
//   order's gap from every unit whose height overlaps theirs, stand inside the height, and a
//   stack above the floor stands with its whole base on the tops of rectangular stacks below
//   (nothing stands on drums).
// Returns one line for every broken rule found (at most a few dozen); empty when the plan is
// sound.
std::vector<std::string> FindBrokenPlanRules(const Container& spec, const RunResult& result);

// Records what the pictures are told, as the result data would hold it, and passes every event
// on to next (when given), so that a run can be drawn and checked at once.
class DrawnStackRecorder : public PlacementObserver {
public:
    explicit DrawnStackRecorder(PlacementObserver* next = nullptr) : next_(next) {}

    std::vector<PlacedStack> drawn;  // line is not told to the pictures and stays 0

    void RunPrepared(const Container& spec) override;
    void TypeColourSet(Colour colour) override;
    void ContainerBegun(int number) override;
    void StackPlaced(const StackEvent& stack) override;
    void RoundPlaced(const RoundEvent& unit) override;
    void LyingRoundPlaced(const LyingRoundEvent& unit) override;
    void ReportComplete(const std::vector<std::string>& lines) override;

private:
    PlacementObserver* next_;
    int container_ = 1;
};

// Where the drawn stacks differ from the stacks of the result (shape, container, position,
// size, units); empty when the pictures show exactly the result's stacks.
std::vector<std::string> FindDrawingMismatches(const std::vector<PlacedStack>& drawn,
                                               const RunResult& result);

}  // namespace stowbel
