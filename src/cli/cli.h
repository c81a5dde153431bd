#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace stowbel {

enum ExitStatus : int {
    kExitOk = 0,          // the calculation ran, whether or not everything fits
    kExitOrderError = 1,  // the order has an error, or nothing to calculate
    kExitUsage = 2,       // bad arguments or a file that cannot be read or written
};

// The command-line tool. args[0] is the program name. Output goes to out (UTF-8), messages to
// err. Needs a QGuiApplication for the pictures' fonts.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace stowbel
