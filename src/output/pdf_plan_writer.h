#pragma once

#include "output/plan_writer.h"

namespace stowbel {

// The loading plan as a PDF document (see loading_plan_document.h), dated now or, when
// SOURCE_DATE_EPOCH is set, at that time, so that builds and tests can make the same bytes twice.
class PdfPlanWriter : public PlanWriter {
public:
    void Write(const PlannedOrder& order, const std::string& path) const override;
};

}  // namespace stowbel
