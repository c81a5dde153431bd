// The largest orders the calculation accepts: how long their planning by the rows takes (goal:
// under 2 s) and how long and how large their printable loading plan is (goal: under 10 s and
// 20 MB). Figures, not pass/fail.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "calc/run.h"
#include "job/calculation_job.h"
#include "pictures/raster_pictures.h"
#include "plan/loading_plan.h"
#include "plan/loading_plan_document.h"

namespace {

using namespace stowbel;

// 65535 pallets of 1200 x 800, 66 to a container: 993 containers.
const std::vector<std::string> kMostUnits{"2450,16100,2200,50,0,HMAN",
                                          "800,1200,1000,SQR,1,0,65535"};
// A payload of 1 t and pallets of 1 t: one pallet to a container, 1000 containers, the most
// an order may need.
const std::vector<std::string> kMostContainers{"2450,16100,2200,50,0,HMAN,1000",
                                               "800,1200,1000,SQR,1,0,1000,1000"};

void Plan(benchmark::State& state, const std::vector<std::string>& lines) {
    for (auto _ : state) {
        OrderModel model;
        PlacementObserver nobody;
        RunResult result;
        RunCalculation(lines, model, RunOptions{}, nobody, result);
        state.counters["containers"] = result.containers;
        benchmark::DoNotOptimize(result);
    }
}

void PlanMostUnits(benchmark::State& state) {
    Plan(state, kMostUnits);
}

void PlanMostContainers(benchmark::State& state) {
    Plan(state, kMostContainers);
}

const RasterPictureMaker kMaker;

// The plan as calc --pdf makes it: the run with its pictures, then every page.
void PlanPdf(benchmark::State& state, const std::vector<std::string>& lines) {
    for (auto _ : state) {
        CalculationJob job;
        job.SetOrderLines(lines).SetPictureMaker(&kMaker).SetShownPictures(PictureSet::All());
        const JobResult result = job.Run();
        LoadingPlanInput plan = MakeLoadingPlanInput(*result.record);
        plan.orderName = "t0001.txt";
        plan.overview = OverviewImage(result.pictures, plan.container);
        const std::string pdf = RenderLoadingPlanPdf(plan);
        state.counters["MB"] = static_cast<double>(pdf.size()) / 1e6;
        state.counters["containers"] = result.record->run.containers;
    }
}

void PdfMostUnits(benchmark::State& state) {
    PlanPdf(state, kMostUnits);
}

void PdfMostContainers(benchmark::State& state) {
    PlanPdf(state, kMostContainers);
}

BENCHMARK(PlanMostUnits)->Unit(benchmark::kMillisecond);
BENCHMARK(PlanMostContainers)->Unit(benchmark::kMillisecond);
BENCHMARK(PdfMostUnits)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(PdfMostContainers)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
