#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "calc/run.h"
#include "order/examples.h"
#include "scheme/raster_canvas.h"
#include "scheme/scheme_painter.h"

namespace {

using namespace stowbel;

// A full run: calculation and drawing of all three pictures on the raster canvas.
void RunOnRaster(benchmark::State& state, const std::vector<std::string>& order) {
    SchemePictures pictures{std::make_unique<RasterCanvas>(), std::make_unique<RasterCanvas>(),
                            std::make_unique<RasterCanvas>()};
    SchemePainter painter(pictures);
    OrderModel model;
    for (auto _ : state) {
        RunResult result;
        RunCalculation(order, model, RunOptions{}, painter, result);
        benchmark::DoNotOptimize(result.placed);
    }
}

// 5000 boxes of twenty sizes; with masses, every line gives 12.5 kg a box and the container a
// payload that the load stays under, so both variants lay out the same plan.
std::vector<std::string> TwentyTypes(bool withMasses = false) {
    std::vector<std::string> order{std::string("2450,200000,2200,50,0,ISIN") +
                                   (withMasses ? ",100000" : "")};
    for (int i = 0; i < 20; ++i) {
        order.push_back(std::to_string(300 + 10 * i) + ",400,300,SQR,1,0,250" +
                        (withMasses ? ",12.5" : ""));
    }
    return order;
}

// The calculation alone: what a payload costs is invisible beside the drawing otherwise.
void CalculateOnly(benchmark::State& state, const std::vector<std::string>& order) {
    PlacementObserver nobody;
    OrderModel model;
    for (auto _ : state) {
        RunResult result;
        RunCalculation(order, model, RunOptions{}, nobody, result);
        benchmark::DoNotOptimize(result.placed);
    }
}
void BM_Calculate5000Boxes(benchmark::State& state) {
    CalculateOnly(state, TwentyTypes(false));
}
void BM_Calculate5000BoxesWithPayload(benchmark::State& state) {
    CalculateOnly(state, TwentyTypes(true));
}

void BM_RunExampleHman(benchmark::State& state) {
    RunOnRaster(state, ExampleOrder("HMAN"));
}
void BM_RunExampleIsin(benchmark::State& state) {
    RunOnRaster(state, ExampleOrder("ISIN"));
}
void BM_RunTwentyTypes5000Boxes(benchmark::State& state) {
    RunOnRaster(state, TwentyTypes());
}
void BM_Run2000Drums(benchmark::State& state) {
    RunOnRaster(state, {"2450,16100,2200,50,0,ISIN", "300,300,1000,RND,0,0,2000"});
}

BENCHMARK(BM_RunExampleHman)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunExampleIsin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunTwentyTypes5000Boxes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Run2000Drums)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Calculate5000Boxes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Calculate5000BoxesWithPayload)->Unit(benchmark::kMillisecond);

}  // namespace
