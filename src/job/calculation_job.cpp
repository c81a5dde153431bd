#include "job/calculation_job.h"

#include <filesystem>
#include <future>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "calc/placement_recording.h"
#include "calc/planner.h"
#include "calc/run.h"
#include "files/atomic_file.h"
#include "files/file_error.h"
#include "files/report_file.h"
#include "files/result_files.h"
#include "order/errors.h"
#include "order/parser.h"
#include "plan/plan_writer.h"

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

CalculationJob& CalculationJob::SetPlanMethod(PlanMethod method) {
    method_ = method;
    return *this;
}

CalculationJob& CalculationJob::SetDenseSettings(DenseSettings settings) {
    dense_ = std::move(settings);
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

CalculationJob& CalculationJob::SetOrderName(std::string orderFile, std::string exampleName) {
    orderFile_ = std::move(orderFile);
    exampleName_ = std::move(exampleName);
    return *this;
}

CalculationJob& CalculationJob::StoreResultsIn(std::string outputDirectory, std::string orderFile) {
    outputDirectory_ = std::move(outputDirectory);
    orderFile_ = std::move(orderFile);
    return *this;
}

CalculationJob& CalculationJob::WritePlan(const PlanWriter* writer,
                                          std::optional<std::string> planFile) {
    planWriter_ = writer;
    planFile_ = std::move(planFile);
    return *this;
}

JobResult CalculationJob::Run() const {
    JobResult result;
    if (!HasSignificantLine(lines_)) {
        result.error = JobError{JobError::Kind::Order, kNothingToCalculate, 0};
        return result;
    }
    const bool storing = outputDirectory_.has_value();
    const bool planning = planWriter_ != nullptr && (planFile_.has_value() || storing);
    const bool drawing = storing || planning || shown_.scheme2D || shown_.view3D || shown_.summary;
    if (drawing && maker_ == nullptr) {
        throw std::logic_error("a calculation job that draws needs a picture maker");
    }
    const auto record = std::make_shared<PlacementRecording>();
    PlacementRecording& recording = *record;
    PlacementObserver nobody;
    OrderModel model;
    RunOptions options;
    options.format = format_;
    options.alternate = alternate_;
    options.method = method_;
    options.dense = dense_;
    try {
        PlanCalculation(lines_, model, options, drawing ? recording : nobody, result.run);
    } catch (const OrderError& e) {
        result.error = JobError{JobError::Kind::Order, e.Message(), e.Line()};
    } catch (const RunCancelled&) {
        result.run = RunResult{};
        result.cancelled = true;
        return result;
    }
    if (!result.run.calculated || !drawing) {
        return result;  // without a container line there is no picture
    }
    result.record = record;

    bool store = storing && !result.error;
    bool plan = planning && !result.error;
    std::string base;
    if (store) {
        try {
            CreateOutputDirectory(*outputDirectory_);
            base = ResultPath(*outputDirectory_, orderFile_);
        } catch (const FileError& e) {
            result.error = JobError{JobError::Kind::File, e.what(), 0};
            store = false;
            plan = false;
        }
    }
    const bool hman = model.container.HowManyContainers;
    std::vector<PictureTask> tasks;
    const auto want = [&](Picture picture, bool kept, bool stored) {
        if (kept || stored) {
            tasks.push_back({picture, stored ? base + Suffix(picture) : std::string(), {}, {}, {}});
        }
    };
    // The plan's first page shows the summary picture or, in HMAN mode, the 2D scheme.
    want(Picture::Scheme2D, shown_.scheme2D || (plan && hman), store);
    want(Picture::View3D, shown_.view3D, store);
    // The summary picture is not stored in HMAN mode.
    want(Picture::Summary, shown_.summary || (plan && !hman), store && !hman);

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

    // The plan is made from the drawn pictures, before any file takes its name.
    std::optional<PreparedFile> planned;
    std::string planPath;
    std::string planError;
    if (plan) {
        planPath = planFile_ ? *planFile_ : PlanPath(*outputDirectory_, orderFile_);
        try {
            const PlannedOrder order{orderFile_, lines_,          format_,
                                     result.run, result.pictures, exampleName_};
            planned.emplace(planPath, planWriter_->Render(order));
        } catch (const FileError& e) {
            planError = e.what();
        } catch (const std::runtime_error& e) {
            planError = FileError(planPath, e.what()).what();
        }
    }

    // The files take their names in a fixed order; the first that fails ends it, and those
    // prepared after it are removed.
    struct Outgoing {
        std::optional<PreparedFile>& file;
        const std::string& path;
        const std::string& error;  // why the file could not be prepared
    };
    std::vector<Outgoing> outgoing;
    if (store) {
        outgoing.push_back({report, base, reportError});
        for (PictureTask& task : tasks) {
            if (!task.path.empty()) {
                outgoing.push_back({task.file, task.path, task.error});
            }
        }
    }
    if (plan) {
        outgoing.push_back({planned, planPath, planError});
    }
    for (const Outgoing& file : outgoing) {
        if (!file.file) {
            result.error = JobError{JobError::Kind::File, file.error, 0};
            return result;
        }
        try {
            file.file->Commit();
        } catch (const FileError& e) {
            result.error = JobError{JobError::Kind::File, e.what(), 0};
            return result;
        }
        result.filesWritten.push_back(file.path);
    }
    return result;
}

}  // namespace stowbel
