#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace stowbel {

class PictureMaker;
class PlanWriter;

enum ExitStatus : int {
    kExitOk = 0,          // the calculation ran, whether or not everything fits
    kExitOrderError = 1,  // the order has an error, or nothing to calculate
    kExitUsage = 2,       // bad arguments or a file that cannot be read or written
};

// What the commands that draw use: who draws the pictures and who writes loading plans.
struct Drawing {
    const PictureMaker& pictures;
    const PlanWriter& plans;
};

// Called once a command is known to draw, before anything is drawn. Drawing needs a toolkit
// that a calculation alone does not; the tool's entry point decides how to get one (or hands the
// whole command over to a program that has one).
using DrawingSource = std::function<Drawing()>;

// The command-line tool. args[0] is the program name. Output goes to out (UTF-8), messages to
// err.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const DrawingSource& drawing);

}  // namespace stowbel
