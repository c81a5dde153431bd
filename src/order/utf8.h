#pragma once

#include <string>
#include <string_view>

namespace stowbel {

// Decodes UTF-8 into code points. A byte that does not start a well-formed sequence becomes one
// U+FFFD, so every input decodes and a stray byte still counts as one character.
std::u32string DecodeUtf8(std::string_view text);

bool IsValidUtf8(std::string_view text);

// Encodes code points as UTF-8; a surrogate or a value above U+10FFFF becomes U+FFFD.
std::string EncodeUtf8(std::u32string_view text);

}  // namespace stowbel
