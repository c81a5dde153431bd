// stowbel-cli: the command-line tool without a toolkit, so that a calculation starts and ends as
// fast as the calculation itself. A command that draws is handed over, arguments and all, to
// stowbel-cli-draw beside it, which has the toolkit.
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/program_directory.h"
#include "files/system_errors.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv, argv + argc);
    const stowbel::DrawingSource handOver = [&]() -> stowbel::Drawing {
        const std::string drawing = stowbel::ProgramDirectory() + "/stowbel-cli-draw";
        execv(drawing.c_str(), argv);
        std::cerr << "stowbel-cli: " << drawing << ": "
                  << stowbel::SystemErrorText(errno, stowbel::FileAccess::Read) << "\n";
        std::exit(stowbel::kExitUsage);
    };
    return stowbel::RunCli(args, std::cout, std::cerr, handOver);
}
