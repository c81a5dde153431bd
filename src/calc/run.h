#pragma once

#include <string>
#include <vector>

#include "calc/dense_settings.h"
#include "calc/placement_observer.h"
#include "calc/run_result.h"
#include "order/model.h"
#include "order/number_format.h"

namespace stowbel {

// The order as last parsed.
struct OrderModel {
    Container container;
    CargoTable cargo;
};

struct RunOptions {
    NumberFormat format;
    bool alternate = true;  // "Чередовать выравнивание"
    // Which planner PlanCalculation uses; RunCalculation always plans by the rows.
    PlanMethod method = PlanMethod::Rows;
    DenseSettings dense;  // for dense loading only
};

// One calculation from order text to report. Loads the cargo types one after the other along
// the container, carries a type that does not fit into a next container where the mode allows,
// tells the observer everything it places, and fills result. model receives the order as the
// lines give it and nothing else: the run places from its own copy of the cargo entries. An
// order error (OrderError) passes through; result then holds what was made before the faulty
// line.
void RunCalculation(const std::vector<std::string>& lines, OrderModel& model,
                    const RunOptions& options, PlacementObserver& observer, RunResult& result);

}  // namespace stowbel
