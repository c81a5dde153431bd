#include "output/calculation_job.h"

#include <filesystem>
#include <future>
#include <memory>
#include <stdexcept>
#include <system_error>

#include "calc/placement_recording.h"
#include "calc/run.h"
#include "order/errors.h"
#include "order/parser.h"
#include "output/atomic_file.h"
#include "output/file_error.h"
#include "output/jpeg_encoder.h"
#include "output/report_file.h"
#include "output/result_files.h"
#include "scheme/null_canvas.h"
#include "scheme/raster_canvas.h"
#include "scheme/scheme_painter.h"

namespace stowbel {

namespace {

enum class Which { Scheme2D, View3D, Summary };

// One picture to draw and, when it is stored, to encode.
struct PictureTask {
    Which which;
    bool stored = false;
    std::string suffix;  // appended to the result path
    QImage image;
    std::string bytes;
    std::string encodeError;  // why encoding failed, empty when it did not
};

// Draws one picture from the record of a run; the other two are not drawn at all.
QImage DrawPicture(const PlacementRecording& recording, const PictureSizes& sizes, Which which) {
    auto raster = std::make_unique<RasterCanvas>();
    const RasterCanvas& canvas = *raster;
    const auto slot = [&](Which picture) -> std::unique_ptr<Canvas> {
        if (picture == which) {
            return std::move(raster);
        }
        return std::make_unique<NullCanvas>();
    };
    std::unique_ptr<Canvas> scheme2D = slot(Which::Scheme2D);
    std::unique_ptr<Canvas> view3D = slot(Which::View3D);
    std::unique_ptr<Canvas> summary = slot(Which::Summary);
    SchemePictures pictures(std::move(scheme2D), std::move(view3D), std::move(summary));
    pictures.SetImageSizes(sizes.scheme2D, sizes.view3D, sizes.summary);
    SchemePainter painter(pictures);
    recording.Replay(painter);
    return canvas.Image();
}

void DrawAndEncode(const PlacementRecording& recording, const PictureSizes& sizes,
                   PictureTask& task) {
    task.image = DrawPicture(recording, sizes, task.which);
    if (!task.stored) {
        return;
    }
    try {
        JpegEncoder encoder;
        task.bytes = EncodePicture(encoder, task.image);
    } catch (const std::runtime_error& e) {
        task.encodeError = e.what();
    }
}

// The pictures are independent once the run is recorded: each gets a thread of its own.
void DrawConcurrently(const PlacementRecording& recording, const PictureSizes& sizes,
                      std::vector<PictureTask>& tasks) {
    std::vector<std::future<void>> others;
    for (std::size_t i = 1; i < tasks.size(); ++i) {
        others.push_back(
            std::async(std::launch::async, [&, i] { DrawAndEncode(recording, sizes, tasks[i]); }));
    }
    if (!tasks.empty()) {
        DrawAndEncode(recording, sizes, tasks.front());
    }
    for (std::future<void>& other : others) {
        other.get();
    }
}

void CreateOutputDirectory(const std::string& directory) {
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
    if (ec) {
        throw FileError(directory, ec.message());
    }
}

}  // namespace

CalculationJob& CalculationJob::SetOrderLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    return *this;
}

CalculationJob& CalculationJob::SetNumberFormat(const NumberFormat& format) {
    format_ = format;
    return *this;
}

CalculationJob& CalculationJob::SetAlternate(bool alternate) {
    alternate_ = alternate;
    return *this;
}

CalculationJob& CalculationJob::SetPictureSizes(const PictureSizes& sizes) {
    sizes_ = sizes;
    return *this;
}

CalculationJob& CalculationJob::SetShownPictures(const PictureSet& pictures) {
    shown_ = pictures;
    return *this;
}

CalculationJob& CalculationJob::StoreResultsIn(std::string outputDirectory, std::string orderName) {
    outputDirectory_ = std::move(outputDirectory);
    orderName_ = std::move(orderName);
    return *this;
}

JobResult CalculationJob::Run() const {
    JobResult result;
    if (!HasSignificantLine(lines_)) {
        result.error = JobError{JobError::Kind::Order, kNothingToCalculate, 0};
        return result;
    }
    const bool storing = outputDirectory_.has_value();
    const bool drawing = storing || shown_.scheme2D || shown_.view3D || shown_.summary;
    PlacementRecording recording;
    PlacementObserver nobody;
    OrderModel model;
    RunOptions options;
    options.format = format_;
    options.alternate = alternate_;
    try {
        RunCalculation(lines_, model, options, drawing ? recording : nobody, result.run);
    } catch (const OrderError& e) {
        result.error = JobError{JobError::Kind::Order, e.Message(), e.Line()};
    }
    if (!result.run.calculated) {
        return result;  // the container line was never read: there is no picture
    }

    const bool store = storing && !result.error;
    std::vector<PictureTask> tasks;
    const auto want = [&](Which which, bool shown, bool stored, const char* suffix) {
        if (shown || stored) {
            tasks.push_back(PictureTask{which, stored, suffix, {}, {}, {}});
        }
    };
    want(Which::Scheme2D, shown_.scheme2D, store, "2d.jpg");
    want(Which::View3D, shown_.view3D, store, "3d.jpg");
    // The summary picture is not stored in HMAN mode.
    want(Which::Summary, shown_.summary, store && !model.container.HMAN, ".jpg");
    DrawConcurrently(recording, sizes_, tasks);
    for (const PictureTask& task : tasks) {
        QImage& image = task.which == Which::Scheme2D ? result.pictures.scheme2D
                        : task.which == Which::View3D ? result.pictures.view3D
                                                      : result.pictures.summary;
        image = task.image;
    }
    if (!store) {
        return result;
    }

    try {
        CreateOutputDirectory(*outputDirectory_);
        const std::string base = ResultPath(*outputDirectory_, orderName_);
        SaveReport(base, result.run.report);
        result.filesWritten.push_back(base);
        for (const PictureTask& task : tasks) {
            if (!task.stored) {
                continue;
            }
            const std::string path = base + task.suffix;
            if (!task.encodeError.empty()) {
                throw FileError(path, task.encodeError);
            }
            WriteFileAtomically(path, task.bytes);
            result.filesWritten.push_back(path);
        }
    } catch (const FileError& e) {
        result.error = JobError{JobError::Kind::File, e.what(), 0};
    }
    return result;
}

}  // namespace stowbel
