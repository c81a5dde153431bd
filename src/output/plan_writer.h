#pragma once

#include <string>
#include <vector>

#include "order/number_format.h"
#include "output/calculation_job.h"

namespace stowbel {

// An order calculated by a job, as its printable loading plan needs it.
struct PlannedOrder {
    const std::string& orderFile;  // names the plan; empty for a typed order
    const std::vector<std::string>& lines;
    NumberFormat format;
    const JobResult& result;  // drawn with at least kPlanPictures
};

// The pictures a plan needs: its first page shows the summary picture or, in HMAN mode, where
// the run draws no units into it, the 2D scheme.
inline constexpr PictureSet kPlanPictures{true, false, true};

// Writes printable loading plans. The front ends that draw give one (a PDF writer that needs the
// toolkit); a calculation without plans needs none.
class PlanWriter {
public:
    virtual ~PlanWriter() = default;
    // Throws FileError naming the path.
    virtual void Write(const PlannedOrder& order, const std::string& path) const = 0;
};

}  // namespace stowbel
