// Arbitrary bytes as an order, calculated and drawn on recording canvases. Every plan, also the
// part made before an order error, must keep the plan rules, and the pictures must be told
// exactly the stacks of the result: a plan that cannot be loaded is a finding like a crash.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "fuzz_order.h"
#include "plan_rules.h"
#include "scheme/recording_canvas.h"
#include "scheme/scheme_painter.h"

namespace {

// Keeps memory bounded: the figures are counted, only the first are kept.
constexpr std::size_t kKeptFigures = 20000;

void AbortOnFindings(const char* what, const std::vector<std::string>& findings) {
    if (findings.empty()) {
        return;
    }
    std::fprintf(stderr, "%s:\n", what);
    for (const std::string& line : findings) {
        std::fprintf(stderr, "  %s\n", line.c_str());
    }
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace stowbel;
    SchemePictures pictures{std::make_unique<RecordingCanvas>(kKeptFigures),
                            std::make_unique<RecordingCanvas>(kKeptFigures),
                            std::make_unique<RecordingCanvas>(kKeptFigures)};
    SchemePainter painter(pictures);
    DrawnStackRecorder drawn(&painter);
    const CalculatedBytes run = CalculateBytes(data, size, drawn);
    AbortOnFindings("plan that cannot be loaded",
                    FindBrokenPlanRules(run.model.container, run.result));
    AbortOnFindings("pictures that differ from the result",
                    FindDrawingMismatches(drawn.drawn, run.result));
    return 0;
}
