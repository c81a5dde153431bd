#include "app/shown_plan.h"

#include <stdexcept>
#include <utility>

#include "plan/pdf_plan_writer.h"
#include "plan/plan_writer.h"

namespace stowbel {

void ShownPlan::Remember(CalculationJob job) {
    job.SetPictureSizes(PictureSizes{}).SetShownPictures(PictureSet::None());
    job_ = std::move(job);
}

std::string ShownPlan::OrderName() const {
    return job_ ? PlanOrderName(job_->OrderFile(), job_->ExampleName()) : std::string();
}

std::string ShownPlan::SuggestedPath(const std::string& outputDirectory) const {
    if (job_ && !job_->OrderFile().empty()) {
        return PlanPath(outputDirectory, job_->OrderFile());
    }
    return outputDirectory + "/" + OrderName() + ".pdf";
}

std::optional<JobError> ShownPlan::Save(const PlanWriter& writer, const std::string& path) const {
    if (!job_) {
        throw std::logic_error("no calculation to save a plan of");
    }
    CalculationJob job = *job_;
    return job.WritePlan(&writer, path).Run().error;
}

LoadingPlanInput ShownPlan::Input() const {
    if (!job_) {
        throw std::logic_error("no calculation to print a plan of");
    }
    CalculationJob job = *job_;
    const JobResult result = job.SetShownPictures(kPlanPictures).Run();
    return PlanInputOf({job.OrderFile(), job.OrderLines(), job.Format(), result.run,
                        result.pictures, job.ExampleName()});
}

}  // namespace stowbel
