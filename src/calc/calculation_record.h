#pragma once

#include <string>
#include <vector>

#include "calc/placement_recording.h"
#include "calc/run.h"
#include "calc/run_result.h"

namespace stowbel {

// One calculation of an order as it was made: the order as its lines gave it, the settings, what
// the run produced and what it placed, in order. Everything shown or written of the calculation
// later (pictures at other sizes, the loading plan, a printed plan) is made from it, so that
// nothing is read or calculated twice.
struct CalculationRecord {
    OrderModel order;
    RunOptions options;
    RunResult run;
    // What the run told its observer, from which its pictures are drawn; empty when it was not
    // kept.
    PlacementRecording drawing;
};

// Whether a recorded calculation keeps the run's drawing: a calculation that draws nothing does
// without the cost of recording it.
enum class KeepDrawing { No, Yes };

// Calculates lines with options into record, which must be new. The order model holds the
// container line and every cargo line up to the first that does not read, the lines after
// the place where the run stopped as well (the plan lists them as not placed). An order error
// (OrderError) passes through; record then holds what was made up to the faulty line.
void RecordCalculation(const std::vector<std::string>& lines, const RunOptions& options,
                       KeepDrawing keep, CalculationRecord& record);

}  // namespace stowbel
