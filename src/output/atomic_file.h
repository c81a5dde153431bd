#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace stowbel {

// Writes the bytes to a temporary file beside path and renames it over path, so that a reader
// sees either the old file or the whole new one, never half of it. Throws FileError.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole regular file of at most maxBytes. Throws FileError naming the path.
std::string ReadWholeFile(const std::string& path,
                          std::uintmax_t maxBytes = static_cast<std::uintmax_t>(-1));

}  // namespace stowbel
