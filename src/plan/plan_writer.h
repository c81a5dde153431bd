#pragma once

#include <string>
#include <string_view>

#include "calc/calculation_record.h"
#include "pictures/picture_maker.h"

namespace stowbel {

// A calculated order, as its printable loading plan needs it.
struct PlannedOrder {
    const std::string& orderFile;  // names the plan; empty for a typed order or an example
    const CalculationRecord& record;
    const RunPictures& pictures;        // drawn with at least PlanPictures
    std::string_view exampleName = {};  // "HMAN" or "ISIN" for a built-in example
};

// The pictures a plan of an order in container needs: the one its first page shows.
inline PictureSet PlanPictures(const Container& container) {
    const Picture overview = OverviewPicture(container);
    return {overview == Picture::Scheme2D, false, overview == Picture::Summary};
}

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
