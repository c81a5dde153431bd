#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "cli/cli.h"
#include "job/calculation_job.h"
#include "order/number_format.h"

namespace stowbel {

struct CalcRequest {
    std::string orderFile;
    std::optional<std::string> outputDirectory;
    std::optional<std::string> planFile;  // the loading plan as a PDF
    bool json = false;
    bool alternate = true;
    PlanMethod method = PlanMethod::Rows;
    double timeLimitSeconds = 10;  // caps a dense search
    NumberFormat format;
    PictureSizes sizes;
};

// Reads the order file, runs the calculation, prints the report (or JSON) and, with an output
// directory, stores the result files there; with a plan file, writes the loading plan there.
// Returns the exit status.
int RunCalcCommand(const CalcRequest& request, std::ostream& out, std::ostream& err,
                   const DrawingSource& drawing);

}  // namespace stowbel
