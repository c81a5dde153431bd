#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace stowbel {

// The lines of an order file's text: UTF-8 when the bytes are valid UTF-8 (a BOM is skipped),
// otherwise Windows-1251. Lines end at CR LF, LF or CR.
std::vector<std::string> DecodeOrderText(std::string_view bytes);

// No real order comes near this; a larger file is refused before it is read.
inline constexpr std::uintmax_t kMaxOrderFileBytes = 16 * 1024 * 1024;

// Reads an order file. Throws FileError naming the path.
std::vector<std::string> ReadOrderFile(const std::string& path);

std::vector<std::string> SplitLines(std::string_view text);

}  // namespace stowbel
