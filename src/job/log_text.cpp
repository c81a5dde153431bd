#include "job/log_text.h"

#include <cstdio>

namespace stowbel {

namespace {

std::string HexEscape(unsigned char byte) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\x%02x", byte);
    return buffer;
}

}  // namespace

std::string EscapeForLog(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::string_view rest = text.substr(i);
        if (byte == '\n') {
            escaped += "\\n";
        } else if (byte == '\r') {
            escaped += "\\r";
        } else if (byte == '\t') {
            escaped += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            escaped += HexEscape(byte);
        } else if (byte == 0xc2 && rest.size() > 1 && static_cast<unsigned char>(rest[1]) >= 0x80 &&
                   static_cast<unsigned char>(rest[1]) < 0xa0) {
            // A C1 control character, U+0080 to U+009F (U+0085 breaks lines).
            escaped += "\\u00" + HexEscape(static_cast<unsigned char>(rest[1])).substr(2);
            ++i;
        } else if (rest.starts_with("\xe2\x80\xa8") || rest.starts_with("\xe2\x80\xa9")) {
            escaped += rest[2] == '\xa8' ? "\\u2028" : "\\u2029";
            i += 2;
        } else {
            escaped.push_back(static_cast<char>(byte));
        }
    }
    return escaped;
}

}  // namespace stowbel
