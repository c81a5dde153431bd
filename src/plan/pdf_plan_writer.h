#pragma once

#include "plan/loading_plan.h"
#include "plan/plan_writer.h"

namespace stowbel {

// The plan of a calculated order as every plan of the program shows it: named by its order file
// or example, dated now or, when SOURCE_DATE_EPOCH is set, at that time, so that builds and tests
// can make the same bytes twice.
LoadingPlanInput PlanInputOf(const PlannedOrder& order);

// The loading plan as a PDF document (see loading_plan_document.h).
class PdfPlanWriter : public PlanWriter {
public:
    std::string Render(const PlannedOrder& order) const override;
};

}  // namespace stowbel
