#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "calc/run.h"
#include "cli/cli.h"
#include "order/examples.h"
#include "pictures/jpeg_encoder.h"
#include "pictures/raster_pictures.h"
#include "plan/pdf_plan_writer.h"
#include "scheme/raster_canvas.h"
#include "scheme/scheme_painter.h"

namespace {

using namespace stowbel;
namespace fs = std::filesystem;

fs::path Workspace() {
    const fs::path dir = fs::temp_directory_path() / "stowbel-bench";
    fs::create_directories(dir);
    return dir;
}

std::string WriteExample(const char* name) {
    const fs::path file = Workspace() / (std::string("t") + name + ".txt");
    std::ofstream out(file);
    for (const std::string& line : ExampleOrder(name)) {
        out << line << "\n";
    }
    return file.string();
}

// stowbel-cli calc ORDER --out DIR, end to end, in-process.
void CliCalcOut(benchmark::State& state, const char* name) {
    const std::string order = WriteExample(name);
    const std::string out = (Workspace() / "OUT").string();
    const RasterPictureMaker pictures;
    const PdfPlanWriter plans;
    for (auto _ : state) {
        std::ostringstream sink;
        benchmark::DoNotOptimize(
            RunCli({"stowbel-cli", "calc", order, "--out", out}, sink, sink, [&] {
                return Drawing{pictures, plans};
            }));
    }
}

// libjpeg-turbo alone on the same three pictures: the floor for the command above.
void EncodeOnly(benchmark::State& state, const char* name) {
    SchemePictures pictures{std::make_unique<RasterCanvas>(), std::make_unique<RasterCanvas>(),
                            std::make_unique<RasterCanvas>()};
    SchemePainter painter(pictures);
    OrderModel model;
    RunResult result;
    RunCalculation(ExampleOrder(name), model, RunOptions{}, painter, result);
    const auto& images = {&pictures.Scheme2D(), &pictures.View3D(), &pictures.Summary()};
    for (auto _ : state) {
        JpegEncoder encoder;
        for (const Canvas* canvas : images) {
            benchmark::DoNotOptimize(
                EncodePicture(encoder, static_cast<const RasterCanvas*>(canvas)->Image()));
        }
    }
}

BENCHMARK_CAPTURE(CliCalcOut, ISIN, "ISIN")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EncodeOnly, ISIN, "ISIN")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CliCalcOut, HMAN, "HMAN")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EncodeOnly, HMAN, "HMAN")->Unit(benchmark::kMillisecond);

}  // namespace
