#include "app/shown_plan.h"

#include <stdexcept>
#include <utility>

#include "files/result_files.h"
#include "plan/pdf_plan_writer.h"
#include "plan/plan_writer.h"

namespace stowbel {

void ShownPlan::Remember(std::shared_ptr<const CalculationRecord> record, const PictureMaker& maker,
                         std::string orderFile, std::string exampleName) {
    record_ = std::move(record);
    maker_ = &maker;
    orderFile_ = std::move(orderFile);
    exampleName_ = std::move(exampleName);
}

std::string ShownPlan::OrderName() const {
    return record_ ? PlanOrderName(orderFile_, exampleName_) : std::string();
}

std::string ShownPlan::SuggestedPath(const std::string& outputDirectory) const {
    if (record_ && !orderFile_.empty()) {
        return PlanPath(outputDirectory, orderFile_);
    }
    return outputDirectory + "/" + OrderName() + ".pdf";
}

const CalculationRecord& ShownPlan::Record(const char* use) const {
    if (!record_) {
        throw std::logic_error(std::string("no calculation to ") + use + " a plan of");
    }
    return *record_;
}

RunPictures ShownPlan::PlanPicturesDrawn() const {
    return DrawPictures(*maker_, record_->drawing, PictureSizes{},
                        PlanPictures(record_->order.container));
}

std::optional<JobError> ShownPlan::Save(const PlanWriter& writer, const std::string& path) const {
    const CalculationRecord& record = Record("save");
    const RunPictures pictures = PlanPicturesDrawn();
    return WritePlanFile(writer, {orderFile_, record, pictures, exampleName_}, path);
}

LoadingPlanInput ShownPlan::Input() const {
    const CalculationRecord& record = Record("print");
    const RunPictures pictures = PlanPicturesDrawn();
    return PlanInputOf({orderFile_, record, pictures, exampleName_});
}

}  // namespace stowbel
