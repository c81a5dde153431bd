#include <benchmark/benchmark.h>

#include "calc/fitting.h"

namespace {

using stowbel::RequiredLength;

// The three types of the worked example in a 2450 x 16100 x 2200 container, clearance 50.
void BM_RequiredLengthWorkedExample(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            RequiredLength({20, true, true, false, 2350, 2200, 1200, 800, 2100, 0}));
        benchmark::DoNotOptimize(
            RequiredLength({36, true, false, false, 2350, 2200, 1200, 1000, 2150, 0}));
        benchmark::DoNotOptimize(
            RequiredLength({50, true, true, false, 2350, 2200, 1000, 800, 1000, 0}));
    }
}
BENCHMARK(BM_RequiredLengthWorkedExample);

void BM_RequiredLengthSmallBoxes(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            RequiredLength({65535, true, true, true, 2350, 2200, 110, 70, 200, 0}));
    }
}
BENCHMARK(BM_RequiredLengthSmallBoxes)->Unit(benchmark::kMillisecond);

void BM_RequiredLengthSmallDrums(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            RequiredLength({65535, false, true, true, 2350, 2200, 60, 60, 300, 0}));
    }
}
BENCHMARK(BM_RequiredLengthSmallDrums)->Unit(benchmark::kMillisecond);

}  // namespace
