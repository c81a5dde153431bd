#pragma once

#include <memory>
#include <optional>
#include <string>

#include "calc/calculation_record.h"
#include "job/calculation_job.h"
#include "plan/loading_plan.h"

namespace stowbel {

class PictureMaker;
class PlanWriter;

// The printable loading plan of the calculation the window shows. The plan is made from the
// calculation's record, with its pictures drawn at their standard sizes whatever the panes are,
// so that the plan printed or saved on the desktop is the one the command line writes; nothing
// is calculated again.
class ShownPlan {
public:
    // The calculation whose result the window shows now, named by its order file or example (see
    // CalculationJob::SetOrderName); maker draws the plan's pictures and must outlive this.
    void Remember(std::shared_ptr<const CalculationRecord> record, const PictureMaker& maker,
                  std::string orderFile, std::string exampleName = {});
    // The window shows no result that has a plan.
    void Forget() { record_.reset(); }
    bool Available() const { return record_ != nullptr; }

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
    // The pictures the plan shows, drawn from the record.
    RunPictures PlanPicturesDrawn() const;
    const CalculationRecord& Record(const char* use) const;

    std::shared_ptr<const CalculationRecord> record_;
    const PictureMaker* maker_ = nullptr;
    std::string orderFile_;
    std::string exampleName_;
};

}  // namespace stowbel
