#include "fuzz_order.h"

#include <string_view>

#include "calc/planner.h"
#include "files/order_file.h"
#include "order/errors.h"

namespace stowbel {

CalculatedBytes CalculateBytes(const std::uint8_t* data, std::size_t size,
                               PlacementObserver& observer) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = DecodeOrderText(bytes);
    CalculatedBytes run;
    RunOptions options;
    options.alternate = size % 2 == 0;
    options.format.decimalSeparator = size % 3 == 0 ? ',' : '.';
    // Every fifth input is planned by dense loading, on a small search.
    if (size % 5 == 0) {
        options.method = PlanMethod::Dense;
        options.dense.stepBudget = 300;
    }
    try {
        PlanCalculation(lines, run.model, options, observer, run.result);
    } catch (const OrderError&) {
    }
    return run;
}

}  // namespace stowbel
