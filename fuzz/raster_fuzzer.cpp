// Arbitrary bytes as an order, drawn with QPainter into small pictures whose sizes the first
// bytes choose.
#include <QGuiApplication>
#include <cstdlib>
#include <memory>

#include "fuzz_order.h"
#include "scheme/raster_canvas.h"
#include "scheme/scheme_painter.h"

namespace {

int Side(std::uint8_t byte) {
    return 1 + byte % 400;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace stowbel;
    if (size < 4) {
        return 0;
    }
    SchemePictures pictures{std::make_unique<RasterCanvas>(), std::make_unique<RasterCanvas>(),
                            std::make_unique<RasterCanvas>()};
    pictures.SetImageSizes({Side(data[0]), Side(data[1])}, {Side(data[2]), Side(data[3])},
                           {Side(data[1]), Side(data[0])});
    SchemePainter painter(pictures);
    CalculateBytes(data + 4, size - 4, painter);
    return 0;
}
