#pragma once

#include <string>
#include <variant>
#include <vector>

#include "cli/calc_command.h"
#include "cli/watch_command.h"

namespace stowbel {

// Text the tool prints on stdout before it exits with 0: the help or the version.
struct ShowText {
    std::string text;
};

// The arguments are wrong: the tool says why on stderr and exits with kExitUsage.
struct UsageMistake {
    std::string message;
    bool showHelp = false;  // print the help instead of the message (no command at all)
};

struct ExampleRequest {
    std::string name;  // HMAN or ISIN
};

// What the command line asks for, read before any work is done.
struct CommandLine {
    std::variant<UsageMistake, ShowText, CalcRequest, ExampleRequest, WatchRequest> what;
};

// Reads the arguments (args[0] is the program name). Never prints.
CommandLine ReadCommandLine(const std::vector<std::string>& args);

// Whether the command draws pictures or plans: calc with --out or --pdf, and watch. Only then
// does the tool need a toolkit.
bool NeedsDrawing(const CommandLine& command);

// The help, made from the options as they are declared.
std::string HelpText();

}  // namespace stowbel
