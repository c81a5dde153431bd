// Arbitrary bytes as an order, calculated and drawn on recording canvases.
#include <memory>

#include "fuzz_order.h"
#include "scheme/recording_canvas.h"
#include "scheme/scheme_painter.h"

namespace {

// Keeps memory bounded: the figures are counted, only the first are kept.
constexpr std::size_t kKeptFigures = 20000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace stowbel;
    SchemePictures pictures{std::make_unique<RecordingCanvas>(kKeptFigures),
                            std::make_unique<RecordingCanvas>(kKeptFigures),
                            std::make_unique<RecordingCanvas>(kKeptFigures)};
    SchemePainter painter(pictures);
    CalculateBytes(data, size, painter);
    return 0;
}
