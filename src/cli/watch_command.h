#pragma once

#include <ostream>
#include <string>

#include "cli/cli.h"

namespace stowbel {

struct WatchRequest {
    std::string inDirectory;
    std::string outDirectory;
    int intervalMs = 5000;
    bool once = false;
};

// Watches the input directory until SIGINT or SIGTERM (after the current order), or processes
// what is ready once. Logs one line per order to err. Returns the exit status.
int RunWatchCommand(const WatchRequest& request, std::ostream& err, const DrawingSource& drawing);

}  // namespace stowbel
