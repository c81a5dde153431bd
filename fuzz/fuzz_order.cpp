#include "fuzz_order.h"

#include <string_view>

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
    try {
        RunCalculation(lines, run.model, options, observer, run.result);
    } catch (const OrderError&) {
    }
    return run;
}

}  // namespace stowbel
