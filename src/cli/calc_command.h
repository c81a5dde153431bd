#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "order/number_format.h"
#include "scheme/scheme_pictures.h"

namespace stowbel {

struct CalcRequest {
    std::string orderFile;
    std::optional<std::string> outputDirectory;
    std::optional<std::string> planFile;  // the loading plan as a PDF
    bool json = false;
    bool alternate = true;
    NumberFormat format;
    ImageSize scheme2D = kDefaultScheme2DSize;
    ImageSize view3D = kDefaultView3DSize;
    ImageSize summary = kDefaultSummarySize;
};

// Reads the order file, runs the calculation, prints the report (or JSON) and, with an output
// directory, stores the result files there; with a plan file, writes the loading plan there.
// Returns the exit status.
int RunCalcCommand(const CalcRequest& request, std::ostream& out, std::ostream& err);

}  // namespace stowbel
