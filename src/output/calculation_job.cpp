#include "output/calculation_job.h"

#include <filesystem>
#include <future>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "calc/placement_recording.h"
#include "calc/run.h"
#include "order/errors.h"
#include "order/parser.h"
#include "output/atomic_file.h"
#include "output/file_error.h"
#include "output/report_file.h"
#include "output/result_files.h"

namespace stowbel {

namespace {

// One picture to draw and, when it is stored, to encode and prepare as a file.
struct PictureTask {
    Picture picture;
    std::string path;  // where it is stored; empty when it is only shown
    std::shared_ptr<const DrawnPicture> drawn;
    std::optional<PreparedFile> file;
    std::string error;  // why the file could not be prepared
};

void Perform(const PictureMaker& maker, const PlacementRecording& run, const PictureSizes& sizes,
             PictureTask& task) {
    task.drawn = maker.Draw(run, sizes, task.picture);
    if (task.path.empty()) {
        return;
    }
    std::string bytes;
    try {
        bytes = maker.Encode(*task.drawn);
    } catch (const std::runtime_error& e) {
        task.error = FileError(task.path, e.what()).what();
        return;
    }
    try {
        task.file.emplace(task.path, bytes);
    } catch (const FileError& e) {
        task.error = e.what();
    }
}

const char* Suffix(Picture picture) {
    switch (picture) {
        case Picture::Scheme2D:
            return "2d.jpg";
        case Picture::View3D:
            return "3d.jpg";
        case Picture::Summary:
            return ".jpg";
    }
    return "";
}

void CreateOutputDirectory(const std::string& directory) {
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
    if (ec) {
        throw FileError(directory, ec.message());
    }
}

}  // namespace

std::shared_ptr<const DrawnPicture>& JobPictures::operator[](Picture picture) {
    switch (picture) {
        case Picture::Scheme2D:
            return scheme2D;
        case Picture::View3D:
            return view3D;
        case Picture::Summary:
            break;
    }
    return summary;
}

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

CalculationJob& CalculationJob::SetPictureMaker(const PictureMaker* maker) {
    maker_ = maker;
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
    if (drawing && maker_ == nullptr) {
        throw std::logic_error("a calculation job that draws needs a picture maker");
    }
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
    if (!result.run.calculated || !drawing) {
        return result;  // without a container line there is no picture
    }

    bool store = storing && !result.error;
    std::string base;
    if (store) {
        try {
            CreateOutputDirectory(*outputDirectory_);
            base = ResultPath(*outputDirectory_, orderName_);
        } catch (const FileError& e) {
            result.error = JobError{JobError::Kind::File, e.what(), 0};
            store = false;
        }
    }
    std::vector<PictureTask> tasks;
    const auto want = [&](Picture picture, bool shown, bool stored) {
        if (shown || stored) {
            tasks.push_back({picture, stored ? base + Suffix(picture) : std::string(), {}, {}, {}});
        }
    };
    want(Picture::Scheme2D, shown_.scheme2D, store);
    want(Picture::View3D, shown_.view3D, store);
    // The summary picture is not stored in HMAN mode.
    want(Picture::Summary, shown_.summary, store && !model.container.HMAN);

    // The pictures are independent once the run is recorded: each gets a thread of its own,
    // and the report file is prepared meanwhile.
    std::vector<std::future<void>> running;
    for (PictureTask& task : tasks) {
        running.push_back(
            std::async(std::launch::async, [&] { Perform(*maker_, recording, sizes_, task); }));
    }
    std::optional<PreparedFile> report;
    std::string reportError;
    if (store) {
        try {
            report.emplace(base, EncodeReportFile(result.run.report));
        } catch (const FileError& e) {
            reportError = e.what();
        }
    }
    for (std::future<void>& task : running) {
        task.get();
    }
    for (const PictureTask& task : tasks) {
        result.pictures[task.picture] = task.drawn;
    }
    if (!store) {
        return result;
    }

    // The files take their names in a fixed order; the first that fails ends it, and those
    // prepared after it are removed.
    if (!report) {
        result.error = JobError{JobError::Kind::File, reportError, 0};
        return result;
    }
    try {
        report->Commit();
        result.filesWritten.push_back(base);
        for (PictureTask& task : tasks) {
            if (task.path.empty()) {
                continue;
            }
            if (!task.file) {
                result.error = JobError{JobError::Kind::File, task.error, 0};
                return result;
            }
            task.file->Commit();
            result.filesWritten.push_back(task.path);
        }
    } catch (const FileError& e) {
        result.error = JobError{JobError::Kind::File, e.what(), 0};
    }
    return result;
}

}  // namespace stowbel
