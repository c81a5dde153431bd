#pragma once

#include <string>
#include <string_view>

namespace stowbel {

// Report files are Windows-1251, the 8-bit Cyrillic code page their readers have always used.
// A character the code page lacks becomes "?".
std::string Utf8ToWindows1251(std::string_view utf8);
std::string Windows1251ToUtf8(std::string_view bytes);

}  // namespace stowbel
