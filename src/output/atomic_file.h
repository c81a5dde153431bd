#pragma once

#include <string>
#include <string_view>

namespace stowbel {

// Writes the bytes to a temporary file beside path and renames it over path, so that a reader
// sees either the old file or the whole new one, never half of it. Throws FileError.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole regular file. Throws FileError naming the path.
std::string ReadWholeFile(const std::string& path);

}  // namespace stowbel
