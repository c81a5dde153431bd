#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calc/dense_settings.h"
#include "calc/run_result.h"
#include "order/number_format.h"
#include "pictures/picture_maker.h"

namespace stowbel {

class PlacementRecording;
class PlanWriter;

// What stopped a job.
struct JobError {
    enum class Kind {
        Order,  // the order cannot be calculated (or has nothing to calculate)
        File,   // a result file or the output directory could not be written
    };
    Kind kind = Kind::Order;
    // Bare: neither the order file nor the line is in it; a file error names its path.
    std::string message;
    int line = 0;  // 1-based line of an order error, 0 when it concerns no single line
};

struct JobResult {
    // The report lines and the run's data. After an order error it holds what the run made
    // before the faulty line; run.calculated is false when the container line was never read.
    RunResult run;
    RunPictures pictures;
    std::optional<JobError> error;
    std::vector<std::string> filesWritten;  // in the order they were written
    // What the run told the pictures, when it drew any: the pictures can be drawn again from it at
    // other sizes without calculating again.
    std::shared_ptr<const PlacementRecording> record;
    // The settings' cancelled hook stopped the calculation: nothing was drawn or stored and the
    // run's data is incomplete; a front end keeps what it showed before.
    bool cancelled = false;
};

// One calculation of an order as every front end needs it: read the order lines, calculate,
// draw the pictures that are wanted and, when asked, store the report and the pictures under
// the order's result names. A plain object: the front end configures it, then runs it; it can
// be copied to run the same settings on another order.
//
// Nothing is drawn that nobody needs, and without pictures the job needs no picture maker and
// no toolkit. The pictures are drawn from a record of the run, each on its own thread, where the
// stored ones are also encoded and written beside their names; a plan is made from them and
// written beside its name too. The files then take their names in a fixed order (report, 2D
// scheme, 3D scheme, summary, plan), and the first that fails ends it.
class CalculationJob {
public:
    CalculationJob& SetOrderLines(std::vector<std::string> lines);
    CalculationJob& SetNumberFormat(const NumberFormat& format);
    // The option "Чередовать выравнивание"; on unless set otherwise.
    CalculationJob& SetAlternate(bool alternate);
    // How the plan is made: by the rows (the default) or by dense loading.
    CalculationJob& SetPlanMethod(PlanMethod method);
    // The bounds of a dense search, its cancel hook and its progress report.
    CalculationJob& SetDenseSettings(DenseSettings settings);
    CalculationJob& SetPictureSizes(const PictureSizes& sizes);
    CalculationJob& SetShownPictures(const PictureSet& pictures);
    // Who draws and encodes the pictures; it must outlive the job. Needed whenever a picture is
    // shown or results are stored.
    CalculationJob& SetPictureMaker(const PictureMaker* maker);
    // Names the order on its plan: by its order file (a path or a bare name; empty for a typed
    // order) or, for a built-in example, by the example's name ("HMAN", "ISIN").
    CalculationJob& SetOrderName(std::string orderFile, std::string exampleName = {});
    // Stores the results in outputDirectory (created when missing) under the result names of
    // the order file orderFile (a path or a bare name), which also names the order.
    CalculationJob& StoreResultsIn(std::string outputDirectory, std::string orderFile);
    // Also writes the order's printable loading plan, made by writer (which must outlive the
    // job), when the order has no error: to planFile when one is given, otherwise beside the
    // stored results under their name with ".pdf" (see PlanPath), and only when results are
    // stored. It is written after the other results and in the same way. Null writes no plan.
    CalculationJob& WritePlan(const PlanWriter* writer,
                              std::optional<std::string> planFile = std::nullopt);

    const std::vector<std::string>& OrderLines() const { return lines_; }
    const NumberFormat& Format() const { return format_; }
    PlanMethod Method() const { return method_; }
    const PictureMaker* Maker() const { return maker_; }
    const std::string& OrderFile() const { return orderFile_; }
    const std::string& ExampleName() const { return exampleName_; }

    JobResult Run() const;

private:
    std::vector<std::string> lines_;
    NumberFormat format_;
    bool alternate_ = true;
    PlanMethod method_ = PlanMethod::Rows;
    DenseSettings dense_;
    PictureSizes sizes_;
    PictureSet shown_;
    const PictureMaker* maker_ = nullptr;
    std::optional<std::string> outputDirectory_;
    std::string orderFile_;
    std::string exampleName_;
    const PlanWriter* planWriter_ = nullptr;
    std::optional<std::string> planFile_;
};

// The one message for an order without a significant line.
inline constexpr const char* kNothingToCalculate =
    "нечего рассчитывать: в заказе нет ни одной строки кроме комментариев";

}  // namespace stowbel
