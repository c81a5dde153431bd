#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "job/calculation_job.h"
#include "pictures/jpeg_encoder.h"
#include "pictures/raster_pictures.h"
#include "plan/loading_plan.h"
#include "plan/loading_plan_document.h"

namespace {

using namespace stowbel;

// 156 units of 1200 x 1000 mm, 26 to a container: six containers.
const std::vector<std::string> kSixContainers{"2450,16100,2200,50,0,HMAN",
                                              "1000,1200,2150,SQR,0,0,156"};

const RasterPictureMaker kMaker;

CalculationJob SixContainers() {
    CalculationJob job;
    job.SetOrderLines(kSixContainers).SetPictureMaker(&kMaker).SetShownPictures(PictureSet::All());
    return job;
}

struct Calculated {
    RunPictures pictures;
    LoadingPlanInput plan;

    Calculated() {
        const JobResult result = SixContainers().Run();
        pictures = result.pictures;
        plan = MakeLoadingPlanInput(kSixContainers, NumberFormat{}, result.run);
        plan.orderName = "t0006.txt";
        plan.createdAt = QDateTime::currentDateTime();
        plan.overview = OverviewPicture(pictures, plan.container.HowManyContainers);
    }
};

// The whole plan of the order as PDF bytes: every page, the fonts, the embedded 2D scheme.
void PlanPdf(benchmark::State& state) {
    const Calculated calculated;
    if (calculated.plan.result.containers != 6) {
        state.SkipWithError("the order does not take six containers");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(RenderLoadingPlanPdf(calculated.plan));
    }
}

// The same without the run's picture on the first page: what the vector pages cost alone.
void PlanPdfWithoutPicture(benchmark::State& state) {
    Calculated calculated;
    calculated.plan.overview = QImage();
    for (auto _ : state) {
        benchmark::DoNotOptimize(RenderLoadingPlanPdf(calculated.plan));
    }
}

// The three JPEG pictures of the same order, as calc --out encodes them.
void ThreeJpegs(benchmark::State& state) {
    const Calculated calculated;
    const RunPictures& images = calculated.pictures;
    for (auto _ : state) {
        JpegEncoder encoder;
        for (const auto* image : {&images.scheme2D, &images.view3D, &images.summary}) {
            benchmark::DoNotOptimize(EncodePicture(encoder, (*image)->image));
        }
    }
}

// For scale: the run drawing its three pictures and their encoding, one after the other.
void DrawAndEncodeThreeJpegs(benchmark::State& state) {
    const CalculationJob job = SixContainers();
    for (auto _ : state) {
        const JobResult result = job.Run();
        JpegEncoder encoder;
        for (const auto* image :
             {&result.pictures.scheme2D, &result.pictures.view3D, &result.pictures.summary}) {
            benchmark::DoNotOptimize(EncodePicture(encoder, (*image)->image));
        }
    }
}

BENCHMARK(PlanPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(PlanPdfWithoutPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(ThreeJpegs)->Unit(benchmark::kMillisecond);
BENCHMARK(DrawAndEncodeThreeJpegs)->Unit(benchmark::kMillisecond);

}  // namespace
