#pragma once

#include <string>
#include <vector>

#include "calc/run.h"
#include "output/watch_engine.h"
#include "scheme/scheme_pictures.h"

namespace stowbel {

struct OrderJobOptions {
    RunOptions run;
    ImageSize scheme2D = kDefaultScheme2DSize;
    ImageSize view3D = kDefaultView3DSize;
    ImageSize summary = kDefaultSummarySize;
};

// Calculates an order file's lines off-screen and stores the report and pictures in the output
// directory under the order's result names. Order errors (and an order without content) are
// Failed; a failure to write is Retry.
OrderOutcome CalculateAndStore(const std::string& orderPath, const std::vector<std::string>& lines,
                               const std::string& outputDirectory, const OrderJobOptions& options);

}  // namespace stowbel
