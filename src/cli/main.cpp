// stowbel-cli: the command-line tool without a toolkit, so that a calculation starts and ends as
// fast as the calculation itself. A command that draws is handed over, arguments and all, to
// stowbel-cli-draw beside it, which has the toolkit; the tool decides that before any work.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/command_line.h"
#include "cli/drawing_tool.h"

int main(int argc, char** argv) {
    const stowbel::CommandLine command =
        stowbel::ReadCommandLine(std::vector<std::string>(argv, argv + argc));
    if (stowbel::NeedsDrawing(command)) {
        return stowbel::HandOverToDrawingTool(argv, std::cerr);
    }
    return stowbel::RunCommand(command, std::cout, std::cerr, nullptr);
}
