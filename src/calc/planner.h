#pragma once

#include <string>
#include <vector>

#include "calc/run.h"

namespace stowbel {

// A calculation stopped by its caller (DenseSettings::cancelled) before it made a plan. The
// result and the observer's drawing are then incomplete and not to be shown.
struct RunCancelled {};

// One way to make a loading plan from the order text. Every planner reads the order with the
// same parser and limits, tells the observer what it places with the same events and fills the
// same result, so what is made from a plan never depends on the planner beyond what it prints.
// An order error (OrderError) passes through, as from RunCalculation.
class Planner {
public:
    virtual ~Planner() = default;
    virtual void Plan(const std::vector<std::string>& lines, OrderModel& model,
                      const RunOptions& options, PlacementObserver& observer,
                      RunResult& result) const = 0;
};

// The cargo types one after the other in rows along the container: RunCalculation.
class RowsPlanner final : public Planner {
public:
    void Plan(const std::vector<std::string>& lines, OrderModel& model, const RunOptions& options,
              PlacementObserver& observer, RunResult& result) const override;
};

// Dense loading ("плотная укладка"): any unit anywhere in any orientation its flags allow, units
// of different types on one another. Never worse than the rows: where the rows place more volume
// or need fewer containers, it gives the rows' plan and says so in the report.
class DensePlanner final : public Planner {
public:
    void Plan(const std::vector<std::string>& lines, OrderModel& model, const RunOptions& options,
              PlacementObserver& observer, RunResult& result) const override;
};

// Plans the order with the planner options.method names.
void PlanCalculation(const std::vector<std::string>& lines, OrderModel& model,
                     const RunOptions& options, PlacementObserver& observer, RunResult& result);

}  // namespace stowbel
