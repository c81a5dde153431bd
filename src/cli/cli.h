#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace stowbel {

enum ExitStatus : int {
    kExitOk = 0,          // the calculation ran, whether or not everything fits
    kExitOrderError = 1,  // the order has an error, or nothing to calculate
    kExitUsage = 2,       // bad arguments or a file that cannot be read or written
};

// Makes sure that a GUI application object exists: drawing needs one for the fonts, a bare
// calculation does not, and starting it costs more than calculating a small order.
using GuiStarter = std::function<void()>;

// The command-line tool. args[0] is the program name. Output goes to out (UTF-8), messages to
// err. startGui is called before anything is drawn; without it a GUI application must exist.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const GuiStarter& startGui = {});

}  // namespace stowbel
