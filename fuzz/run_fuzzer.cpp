// Arbitrary bytes as an order, calculated and drawn on canvases that keep nothing, so that
// memory stays bounded however much an order draws.
#include <memory>

#include "fuzz_order.h"
#include "scheme/null_canvas.h"
#include "scheme/scheme_painter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace stowbel;
    SchemePictures pictures{std::make_unique<NullCanvas>(), std::make_unique<NullCanvas>(),
                            std::make_unique<NullCanvas>()};
    SchemePainter painter(pictures);
    CalculateBytes(data, size, painter);
    return 0;
}
