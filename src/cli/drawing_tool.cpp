#include "cli/drawing_tool.h"

#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>

#include "cli/cli.h"
#include "cli/program_directory.h"
#include "files/system_errors.h"

namespace stowbel {

namespace {

std::string Reason(int error) {
    switch (error) {
        case ENOENT:
            return "файл не найден";
        case EACCES:
            return "нет права на запуск";
        case ENOEXEC:
            return "файл не является программой";
        default:
            return SystemErrorText(error, FileAccess::Read);
    }
}

}  // namespace

int HandOverToDrawingTool(char** argv, std::ostream& err) {
    const std::optional<std::string> directory = ProgramDirectory();
    if (!directory) {
        err << "stowbel-cli: не удалось определить каталог программы, чтобы запустить "
               "stowbel-cli-draw для команды, которая рисует\n";
        return kExitNoDrawingTool;
    }
    const std::string tool = *directory + "/stowbel-cli-draw";
    execv(tool.c_str(), argv);
    const int error = errno;
    err << "stowbel-cli: не удалось запустить " << tool
        << " (нужна для команд, которые рисуют): " << Reason(error) << "\n";
    return kExitNoDrawingTool;
}

}  // namespace stowbel
