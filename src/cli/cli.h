#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace stowbel {

class PictureMaker;
class PlanWriter;
struct CommandLine;

enum ExitStatus : int {
    kExitOk = 0,             // the calculation ran, whether or not everything fits
    kExitOrderError = 1,     // the order has an error, or nothing to calculate
    kExitUsage = 2,          // bad arguments or a file that cannot be read or written
    kExitNoDrawingTool = 3,  // a command draws and stowbel-cli-draw could not be started
};

// What the commands that draw use: who draws the pictures and who writes loading plans.
struct Drawing {
    const PictureMaker& pictures;
    const PlanWriter& plans;
};

// Runs a command read from the command line. drawing is null in a program that cannot draw; a
// command that needs drawing (NeedsDrawing) is then refused with kExitNoDrawingTool. Output
// goes to out (UTF-8), messages to err. Returns the exit status.
int RunCommand(const CommandLine& command, std::ostream& out, std::ostream& err,
               const Drawing* drawing);

// ReadCommandLine and RunCommand in one: args[0] is the program name.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const Drawing* drawing);

}  // namespace stowbel
