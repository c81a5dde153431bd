#include "cli/cli.h"

#include <variant>

#include "cli/calc_command.h"
#include "cli/command_line.h"
#include "cli/watch_command.h"
#include "order/examples.h"

namespace stowbel {

namespace {

int Mistaken(const UsageMistake& mistake, std::ostream& err) {
    if (mistake.showHelp) {
        err << HelpText();
    } else {
        err << "stowbel-cli: " << mistake.message << "\n"
            << "Try 'stowbel-cli --help'.\n";
    }
    return kExitUsage;
}

int Example(const ExampleRequest& request, std::ostream& out) {
    for (const std::string& line : ExampleOrder(request.name)) {
        out << line << "\n";
    }
    return kExitOk;
}

}  // namespace

int RunCommand(const CommandLine& command, std::ostream& out, std::ostream& err,
               const Drawing* drawing) {
    if (NeedsDrawing(command) && drawing == nullptr) {
        err << "stowbel-cli: эта программа не рисует: команду выполняет stowbel-cli-draw\n";
        return kExitNoDrawingTool;
    }
    if (const auto* mistake = std::get_if<UsageMistake>(&command.what)) {
        return Mistaken(*mistake, err);
    }
    if (const auto* text = std::get_if<ShowText>(&command.what)) {
        out << text->text;
        return kExitOk;
    }
    if (const auto* calc = std::get_if<CalcRequest>(&command.what)) {
        return RunCalcCommand(*calc, out, err, drawing);
    }
    if (const auto* example = std::get_if<ExampleRequest>(&command.what)) {
        return Example(*example, out);
    }
    return RunWatchCommand(std::get<WatchRequest>(command.what), err, *drawing);
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const Drawing* drawing) {
    return RunCommand(ReadCommandLine(args), out, err, drawing);
}

}  // namespace stowbel
