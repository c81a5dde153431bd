#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "test_drawing.h"

namespace stowbel {

// What one in-process run of the command-line tool printed and returned.
struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs stowbel-cli with these arguments in this process, drawing with the tests' drawing.
inline CliRun Cli(std::vector<std::string> args) {
    args.insert(args.begin(), "stowbel-cli");
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = RunCli(args, out, err, TestDrawing());
    run.out = out.str();
    run.err = err.str();
    return run;
}

}  // namespace stowbel
