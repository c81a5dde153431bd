#pragma once

#include <optional>
#include <string>

namespace stowbel {

// The directory of the running program, without a trailing slash; none when the system does not
// say where the program is.
std::optional<std::string> ProgramDirectory();

}  // namespace stowbel
