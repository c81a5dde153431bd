#pragma once

#include <string>

namespace stowbel {

// The directory of the running program's file, without a trailing separator; "." when it
// cannot be told.
std::string ProgramDirectory();

}  // namespace stowbel
