#include "files/order_file.h"

#include <utility>

#include "files/atomic_file.h"
#include "files/codepage.h"
#include "order/utf8.h"

namespace stowbel {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\r' || ch == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            current.push_back(ch);
        }
    }
    if (!current.empty()) {
        lines.push_back(std::move(current));
    }
    return lines;
}

std::vector<std::string> DecodeOrderText(std::string_view bytes) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.starts_with(kBom)) {
        bytes.remove_prefix(kBom.size());
    }
    if (IsValidUtf8(bytes)) {
        return SplitLines(bytes);
    }
    return SplitLines(Windows1251ToUtf8(bytes));
}

std::vector<std::string> ReadOrderFile(const std::string& path) {
    return DecodeOrderText(ReadWholeFile(path, kMaxOrderFileBytes));
}

}  // namespace stowbel
