#pragma once

#include <QDateTime>
#include <QImage>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/run_result.h"
#include "files/result_files.h"  // PlanPath
#include "order/model.h"
#include "order/number_format.h"
#include "plan/loading_list.h"

namespace stowbel {

struct RunPictures;

// Everything a printed loading plan shows, taken from one calculation: the result the JSON holds,
// the order's container and cargo lines, and the picture the run drew for the planner.
struct LoadingPlanInput {
    std::string orderName;  // see PlanOrderName
    QDateTime createdAt;    // shown on the first page and stored as the document's date
    Container container;
    std::optional<double> payload;  // kg per container, when the order gives it
    NumberFormat format;
    RunResult result;
    std::vector<PlanCargoLine> cargo;
    QImage overview;      // see OverviewPicture; a null image leaves the place empty
    std::string program;  // "Stowbel 2.69" unless set
};

// The order's name on the plan: the order file's name, "Пример ISIN" or "Пример HMAN" for a
// built-in example, "Новый заказ" for a typed order.
std::string PlanOrderName(const std::string& orderFile, std::string_view exampleName = {});

// The plan of a calculated order: reads the container line and the cargo lines with the run's
// parser, up to the first line that does not read (the run stopped there too). The name, the
// date and the picture are the caller's to set.
LoadingPlanInput MakeLoadingPlanInput(const std::vector<std::string>& lines,
                                      const NumberFormat& format, const RunResult& result);

// The picture of the first page: the summary picture as the run drew it or, in HMAN mode, where
// the run draws no units into it, the 2D scheme.
QImage OverviewPicture(const RunPictures& pictures, bool hman);

// "Stowbel" and the version of this build.
std::string ProgramNameAndVersion();

struct PlanTotals {
    int containers = 0;
    int placed = 0;
    int notPlaced = 0;
    std::optional<double> mass;  // kg, when every placed unit has a mass
};
PlanTotals ComputePlanTotals(const LoadingPlanInput& input);

// The container line in words: inner sizes, clearance, gap, mode and payload.
std::string DescribeContainer(const LoadingPlanInput& input);

// A mass in kg as the plan writes it: whole kilograms with the order's decimal separator.
std::string FormatMass(double kg, const NumberFormat& format);

}  // namespace stowbel
