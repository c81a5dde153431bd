#pragma once

#include <string>
#include <system_error>

namespace stowbel {

// What was being done when the system refused: it decides whether a missing entry is a folder
// on the way to a file being written or the file being read.
enum class FileAccess { Write, Read };

// A system error (an errno value) in the words a person at the desk understands, in Russian:
// "нет места на диске", "нет доступа", "папка не найдена". Unknown codes are named by number.
std::string SystemErrorText(int error, FileAccess access = FileAccess::Write);

// The same for an error code of the standard library (std::filesystem, std::system_error).
std::string SystemErrorText(const std::error_code& error, FileAccess access = FileAccess::Write);

}  // namespace stowbel
