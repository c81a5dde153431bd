#pragma once

#include <ostream>
#include <string>

#include "calc/run_result.h"
#include "cli/cli.h"

namespace stowbel {

struct WatchRequest {
    std::string inDirectory;
    std::string outDirectory;
    int intervalMs = 5000;
    bool once = false;
    bool plan = false;  // also stores each order's printable loading plan
    PlanMethod method = PlanMethod::Rows;
    double timeLimitSeconds = 10;  // caps a dense search
};

// Watches the input directory until SIGINT or SIGTERM (after the current order), or processes
// what is ready once. Logs a start line, one line per order and a stop line to err. Returns
// the exit status: 0; with once, 1 when some ready order could not be processed at all; 2 when
// the input directory is missing.
int RunWatchCommand(const WatchRequest& request, std::ostream& err, const DrawingSource& drawing);

}  // namespace stowbel
