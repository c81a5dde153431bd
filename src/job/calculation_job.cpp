#include "job/calculation_job.h"

#include <filesystem>
#include <future>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "calc/calculation_record.h"
#include "calc/planner.h"
#include "files/atomic_file.h"
#include "files/file_error.h"
#include "files/report_file.h"
#include "files/result_files.h"
#include "files/result_set.h"
#include "files/system_errors.h"
#include "order/errors.h"
#include "order/parser.h"
#include "plan/plan_writer.h"

namespace stowbel {

namespace {

// One file of the results, prepared beside its name; a file that could not be prepared says why.
struct Outgoing {
    std::string path;
    std::optional<PreparedFile> file;
    std::string error;
};

// One picture to draw and, when it is stored, to encode and prepare as a file.
struct PictureTask {
    Picture picture;
    std::shared_ptr<const DrawnPicture> drawn;
    Outgoing stored;  // its path is empty when the picture is only shown
};

void Perform(const PictureMaker& maker, const PlacementRecording& run, const PictureSizes& sizes,
             PictureTask& task) {
    task.drawn = maker.Draw(run, sizes, task.picture);
    Outgoing& out = task.stored;
    if (out.path.empty()) {
        return;
    }
    std::string bytes;
    try {
        bytes = maker.Encode(*task.drawn);
    } catch (const std::runtime_error& e) {
        out.error = FileError(out.path, e.what()).what();
        return;
    }
    try {
        out.file.emplace(out.path, bytes);
    } catch (const FileError& e) {
        out.error = e.what();
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
        throw FileError(directory, SystemErrorText(ec));
    }
}

// The plan's file prepared beside path.
Outgoing PreparePlan(const PlanWriter& writer, const PlannedOrder& order, const std::string& path) {
    Outgoing out{path, std::nullopt, {}};
    try {
        out.file.emplace(path, writer.Render(order));
    } catch (const FileError& e) {
        out.error = e.what();
    } catch (const std::runtime_error& e) {
        out.error = FileError(path, e.what()).what();
    }
    return out;
}

// A result set is whole or not there: the files take their names in the order given only when
// every one of them is complete; when one could not be made, none does, the prepared ones are
// removed and the earlier set stays as it was. Returns the names given.
std::optional<JobError> CommitInOrder(const std::vector<Outgoing*>& files,
                                      std::vector<std::string>& written) {
    for (Outgoing* out : files) {
        if (!out->file) {
            return JobError{JobError::Kind::File, out->error, 0};
        }
    }
    for (Outgoing* out : files) {
        try {
            out->file->Commit();
        } catch (const FileError& e) {
            return JobError{JobError::Kind::File, e.what(), 0};
        }
        written.push_back(out->path);
    }
    return std::nullopt;
}

}  // namespace

// One run of a job, in its steps: validate, calculate, prepare the output directory, draw,
// prepare the plan, commit the files.
class JobRun {
public:
    explicit JobRun(const CalculationJob& job) : job_(job) { result_.record = record_; }

    JobResult Run() {
        if (!Validate()) {
            return std::move(result_);
        }
        Calculate();
        if (result_.cancelled || !record_->run.calculated || !drawing_) {
            return std::move(result_);  // without a container line there is no picture
        }
        PrepareOutputDirectory();
        Draw();
        if (plan_) {
            const std::string path = job_.planFile_
                                         ? *job_.planFile_
                                         : PlanPath(*job_.outputDirectory_, job_.orderFile_);
            plan_file_ =
                PreparePlan(*job_.planWriter_,
                            {job_.orderFile_, *record_, result_.pictures, job_.exampleName_}, path);
        }
        Commit();
        return std::move(result_);
    }

private:
    // Decides what the run makes; false when the order has nothing to calculate.
    bool Validate() {
        if (!HasSignificantLine(job_.lines_)) {
            result_.error = JobError{JobError::Kind::Order, kNothingToCalculate, 0};
            return false;
        }
        storing_ = job_.outputDirectory_.has_value();
        planning_ = job_.planWriter_ != nullptr && (job_.planFile_.has_value() || storing_);
        const PictureSet& shown = job_.shown_;
        drawing_ = storing_ || planning_ || shown.scheme2D || shown.view3D || shown.summary;
        if (drawing_ && job_.maker_ == nullptr) {
            throw std::logic_error("a calculation job that draws needs a picture maker");
        }
        return true;
    }

    void Calculate() {
        RunOptions options;
        options.format = job_.format_;
        options.alternate = job_.alternate_;
        options.method = job_.method_;
        options.dense = job_.dense_;
        try {
            RecordCalculation(job_.lines_, options, drawing_ ? KeepDrawing::Yes : KeepDrawing::No,
                              *record_);
        } catch (const OrderError& e) {
            result_.error = JobError{JobError::Kind::Order, e.Message(), e.Line()};
        } catch (const RunCancelled&) {
            record_->run = RunResult{};
            result_.cancelled = true;
        }
        store_ = storing_ && !result_.error;
        plan_ = planning_ && !result_.error;
    }

    void PrepareOutputDirectory() {
        if (!store_) {
            return;
        }
        try {
            CreateOutputDirectory(*job_.outputDirectory_);
            base_ = ResultPath(*job_.outputDirectory_, job_.orderFile_);
        } catch (const FileError& e) {
            result_.error = JobError{JobError::Kind::File, e.what(), 0};
            store_ = false;
            plan_ = false;
        }
    }

    // Draws the pictures, each on a thread of its own once the run is recorded, and prepares
    // the stored ones and the report file meanwhile.
    void Draw() {
        const Container& container = record_->order.container;
        const Picture overview = OverviewPicture(container);
        const auto want = [&](Picture picture, bool kept, bool stored) {
            if (kept || stored) {
                tasks_.push_back({picture, {}, {stored ? base_ + Suffix(picture) : "", {}, {}}});
            }
        };
        const PictureSet& shown = job_.shown_;
        want(Picture::Scheme2D, shown.scheme2D || (plan_ && overview == Picture::Scheme2D), store_);
        want(Picture::View3D, shown.view3D, store_);
        want(Picture::Summary, shown.summary || (plan_ && overview == Picture::Summary),
             store_ && SummaryShowsUnits(container));

        std::vector<std::future<void>> running;
        for (PictureTask& task : tasks_) {
            running.push_back(std::async(std::launch::async, [&] {
                Perform(*job_.maker_, record_->drawing, job_.sizes_, task);
            }));
        }
        if (store_) {
            report_.path = base_;
            try {
                report_.file.emplace(base_, EncodeReportFile(record_->run.report));
            } catch (const FileError& e) {
                report_.error = e.what();
            }
        }
        for (std::future<void>& task : running) {
            task.get();
        }
        for (const PictureTask& task : tasks_) {
            result_.pictures[task.picture] = task.drawn;
        }
    }

    // The files take their names in a fixed order: report, 2D scheme, 3D scheme, summary, plan;
    // files of an earlier outcome that the new one does not make are removed after.
    void Commit() {
        std::vector<Outgoing*> files;
        if (store_) {
            files.push_back(&report_);
            for (PictureTask& task : tasks_) {
                if (!task.stored.path.empty()) {
                    files.push_back(&task.stored);
                }
            }
        }
        if (plan_) {
            files.push_back(&plan_file_);
        }
        if (std::optional<JobError> error = CommitInOrder(files, result_.filesWritten)) {
            result_.error = std::move(error);
            return;
        }
        // The new set is in place: what an earlier outcome under the same name left goes.
        if (store_) {
            try {
                RemoveStaleResults(*job_.outputDirectory_, job_.orderFile_, result_.filesWritten);
            } catch (const FileError& e) {
                result_.error = JobError{JobError::Kind::File, e.what(), 0};
            }
        }
    }

    const CalculationJob& job_;
    std::shared_ptr<CalculationRecord> record_ = std::make_shared<CalculationRecord>();
    JobResult result_;
    bool storing_ = false;   // asked to store the results
    bool planning_ = false;  // asked to write a plan
    bool drawing_ = false;
    bool store_ = false;  // the results are stored: asked to, and no error stopped it
    bool plan_ = false;
    std::string base_;  // the report's path, which the pictures' names begin with
    std::vector<PictureTask> tasks_;
    Outgoing report_;
    Outgoing plan_file_;
};

std::optional<JobError> WritePlanFile(const PlanWriter& writer, const PlannedOrder& order,
                                      const std::string& path) {
    Outgoing plan = PreparePlan(writer, order, path);
    std::vector<std::string> written;
    return CommitInOrder({&plan}, written);
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
    return JobRun(*this).Run();
}

}  // namespace stowbel
