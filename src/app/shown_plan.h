#pragma once

#include <optional>
#include <string>

#include "job/calculation_job.h"
#include "plan/loading_plan.h"

namespace stowbel {

class PlanWriter;

// The printable loading plan of the calculation the window shows. The order is calculated again
// from the same lines and settings, with its pictures at their standard sizes whatever the panes
// are, so that the plan printed or saved on the desktop is the one the command line writes.
class ShownPlan {
public:
    // A calculation whose result the window shows now: a job that stores nothing, named by its
    // order file or example (see CalculationJob::SetOrderName).
    void Remember(CalculationJob job);
    // The window shows no result that has a plan.
    void Forget() { job_.reset(); }
    bool Available() const { return job_.has_value(); }

    // The order's name on the plan (see PlanOrderName).
    std::string OrderName() const;
    // Where the save dialog starts: beside the order file's results as r0001.txt.pdf (see
    // PlanPath), or named by the order's name for an example or a typed order.
    std::string SuggestedPath(const std::string& outputDirectory) const;
    // Writes the plan to path as writer makes it, in the same way the other results are
    // written. Returns what went wrong, if anything.
    std::optional<JobError> Save(const PlanWriter& writer, const std::string& path) const;
    // The plan as a paged device (a printer) is to show it.
    LoadingPlanInput Input() const;

private:
    std::optional<CalculationJob> job_;
};

}  // namespace stowbel
