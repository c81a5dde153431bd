#include "fuzz_order.h"

#include <string_view>

#include "calc/run.h"
#include "order/errors.h"
#include "output/order_file.h"

namespace stowbel {

void CalculateBytes(const std::uint8_t* data, std::size_t size, PlacementObserver& observer) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = DecodeOrderText(bytes);
    OrderModel model;
    RunResult result;
    RunOptions options;
    options.alternate = size % 2 == 0;
    options.format.decimalSeparator = size % 3 == 0 ? ',' : '.';
    try {
        RunCalculation(lines, model, options, observer, result);
    } catch (const OrderError&) {
    }
}

}  // namespace stowbel
