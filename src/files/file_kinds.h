#pragma once

#include <optional>
#include <string>

namespace stowbel {

// Refuses to write over an entry that is not a regular file: a device, a named pipe, a socket
// or a directory would be replaced by a regular file (or, for a device, written into). A missing
// entry and a regular file (also behind a link) pass. Throws FileError naming the path.
void RefuseSpecialTarget(const std::string& path);

// Why a folder the program moves files into cannot be used as it is: it is a symbolic link or
// not a folder at all. Nothing when it is a real folder or does not exist yet.
std::optional<std::string> WhyNotARealDirectory(const std::string& path);

}  // namespace stowbel
