#include "cli/program_directory.h"

#include <filesystem>
#include <system_error>

namespace stowbel {

std::optional<std::string> ProgramDirectory() {
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || !program.has_parent_path()) {
        return std::nullopt;
    }
    return program.parent_path().string();
}

}  // namespace stowbel
