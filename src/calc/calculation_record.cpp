#include "calc/calculation_record.h"

#include "calc/planner.h"
#include "order/errors.h"
#include "order/parser.h"

namespace stowbel {

namespace {

// Reads the cargo lines after the last one the run read, up to the first that does not read: a
// run that stops where a type fits no container leaves the rest of the order unread.
void ReadRestOfOrder(const std::vector<std::string>& lines, const NumberFormat& format,
                     OrderModel& order) {
    if (order.cargoLines.empty()) {
        return;  // the run read every cargo line there is, or there is none
    }
    for (std::size_t i = static_cast<std::size_t>(order.cargoLines.back()) + 1; i < lines.size();
         ++i) {
        const std::string_view text = StripComment(lines[i]);
        if (text.empty()) {
            continue;
        }
        const int index = static_cast<int>(i);
        try {
            ParseCargoLine(text, index, format, order.cargo);
        } catch (const OrderError&) {
            return;
        }
        order.cargoLines.push_back(index);
    }
}

}  // namespace

void RecordCalculation(const std::vector<std::string>& lines, const RunOptions& options,
                       KeepDrawing keep, CalculationRecord& record) {
    record.options = options;
    PlacementObserver nobody;
    PlacementObserver& observer =
        keep == KeepDrawing::Yes ? static_cast<PlacementObserver&>(record.drawing) : nobody;
    PlanCalculation(lines, record.order, options, observer, record.run);
    ReadRestOfOrder(lines, options.format, record.order);
}

}  // namespace stowbel
