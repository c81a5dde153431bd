#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calc/run_result.h"
#include "order/number_format.h"
#include "pictures/picture_maker.h"

namespace stowbel {

// A calculated order, as its printable loading plan needs it.
struct PlannedOrder {
    const std::string& orderFile;  // names the plan; empty for a typed order or an example
    const std::vector<std::string>& lines;
    NumberFormat format;
    const RunResult& run;
    const RunPictures& pictures;        // drawn with at least kPlanPictures
    std::string_view exampleName = {};  // "HMAN" or "ISIN" for a built-in example
};

// The pictures a plan needs: its first page shows the summary picture or, in HMAN mode, where
// the run draws no units into it, the 2D scheme.
inline constexpr PictureSet kPlanPictures{true, false, true};

// Makes printable loading plans. The front ends that draw give one (a PDF writer that needs the
// toolkit); a calculation without plans needs none. The calculation job stores what it makes
// under the same atomic write as the other results.
class PlanWriter {
public:
    virtual ~PlanWriter() = default;
    // The bytes of the plan's file. Throws std::runtime_error.
    virtual std::string Render(const PlannedOrder& order) const = 0;
};

}  // namespace stowbel
