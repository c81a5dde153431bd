#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "calc/run.h"
#include "output/jpeg_encoder.h"
#include "output/loading_plan.h"
#include "output/loading_plan_document.h"
#include "output/raster_pictures.h"
#include "output/result_files.h"
#include "scheme/scheme_painter.h"

namespace {

using namespace stowbel;

// 156 units of 1200 x 1000 mm, 26 to a container: six containers.
const std::vector<std::string> kSixContainers{"2450,16100,2200,50,0,HMAN",
                                              "1000,1200,2150,SQR,0,0,156"};

struct Calculated {
    RasterPictures pictures;
    LoadingPlanInput plan;

    Calculated() {
        SchemePainter painter(pictures.Pictures());
        OrderModel model;
        RunResult result;
        RunCalculation(kSixContainers, model, RunOptions{}, painter, result);
        plan = MakeLoadingPlanInput(kSixContainers, NumberFormat{}, result);
        plan.orderName = "t0006.txt";
        plan.createdAt = QDateTime::currentDateTime();
        plan.overview = OverviewPicture(pictures.Images(), model.container.HMAN);
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
    const RunPictures images = calculated.pictures.Images();
    for (auto _ : state) {
        JpegEncoder encoder;
        for (const QImage* image : {&images.scheme2D, &images.view3D, &images.summary}) {
            benchmark::DoNotOptimize(EncodePicture(encoder, *image));
        }
    }
}

// For scale: the run drawing its three pictures and their encoding, as calc --out does it.
void DrawAndEncodeThreeJpegs(benchmark::State& state) {
    for (auto _ : state) {
        RasterPictures pictures;
        SchemePainter painter(pictures.Pictures());
        OrderModel model;
        RunResult result;
        RunCalculation(kSixContainers, model, RunOptions{}, painter, result);
        const RunPictures images = pictures.Images();
        JpegEncoder encoder;
        for (const QImage* image : {&images.scheme2D, &images.view3D, &images.summary}) {
            benchmark::DoNotOptimize(EncodePicture(encoder, *image));
        }
    }
}

BENCHMARK(PlanPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(PlanPdfWithoutPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(ThreeJpegs)->Unit(benchmark::kMillisecond);
BENCHMARK(DrawAndEncodeThreeJpegs)->Unit(benchmark::kMillisecond);

}  // namespace
