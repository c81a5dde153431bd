#include "order/container_sizes.h"

#include <array>
#include <string_view>

#include "order/examples.h"
#include "order/parser.h"
#include "order/utf8.h"

namespace stowbel {

namespace {

// Width, length, height, clearance, gap, mode.
constexpr std::size_t kFieldCount = 6;
constexpr std::size_t kSizeFields = 3;
constexpr char32_t kDefaultSeparator = U',';

// Where the positional fields of a container line lie, 1-based as the parser counts: a field
// starts one character after the end of the one before it, and its run ends at stop. Only the
// first `present` fields start inside the line.
struct ContainerFields {
    std::array<std::size_t, kFieldCount> start{};
    std::array<std::size_t, kFieldCount> stop{};
    std::size_t present = 0;

    std::u32string_view Run(std::u32string_view text, std::size_t k) const {
        return text.substr(start[k] - 1, stop[k] - start[k]);
    }
};

ContainerFields ScanContainerFields(std::u32string_view text) {
    ContainerFields fields;
    std::size_t p = 1;
    for (std::size_t k = 0; k < kFieldCount && p <= text.size(); ++k) {
        const ScannedRun run = ScanRun(text, p, k + 1 < kFieldCount ? kNumberSet : kModeSet);
        fields.start[k] = p;
        fields.stop[k] = run.stop;
        fields.present = k + 1;
        p = run.stop + 1;
    }
    return fields;
}

std::u32string SizeText(long long millimetres) {
    const std::string digits = std::to_string(millimetres);
    return std::u32string(digits.begin(), digits.end());
}

// The example line whose clearance, gap and mode fill what a line lacks.
std::vector<std::string> FillingExample() {
    return ExampleOrder("ISIN");
}

std::u32string WithSizes(std::u32string_view text, const ContainerSizes& sizes,
                         std::u32string_view example) {
    const ContainerFields fields = ScanContainerFields(text);
    const ContainerFields exampleFields = ScanContainerFields(example);
    const std::array<long long, kSizeFields> newSizes{sizes.width, sizes.length, sizes.height};
    std::u32string out;
    for (std::size_t k = 0; k < kFieldCount; ++k) {
        if (k > 0) {
            const bool separatorThere = k - 1 < fields.present && fields.stop[k - 1] <= text.size();
            out += separatorThere ? text[fields.stop[k - 1] - 1] : kDefaultSeparator;
        }
        if (k < kSizeFields) {
            out += SizeText(newSizes[k]);
        } else if (k < fields.present) {
            out += fields.Run(text, k);
        } else {
            out += exampleFields.Run(example, k);
        }
    }
    if (fields.present == kFieldCount && fields.stop.back() <= text.size()) {
        out += text.substr(fields.stop.back() - 1);  // whatever follows the mode
    }
    return out;
}

std::string NewContainerLine(const ContainerSizes& sizes) {
    const std::u32string example = DecodeUtf8(FillingExample()[1]);
    return EncodeUtf8(WithSizes(U"", sizes, example));
}

}  // namespace

ContainerLineEdit WithContainerSizes(const std::vector<std::string>& lines,
                                     const ContainerSizes& sizes) {
    ContainerLineEdit edit{lines, 0, false};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::string_view significant = StripComment(line);
        if (significant.empty()) {
            continue;
        }
        const std::size_t begin = static_cast<std::size_t>(significant.data() - line.data());
        const std::u32string example = DecodeUtf8(FillingExample()[1]);
        edit.lines[i] = line.substr(0, begin) +
                        EncodeUtf8(WithSizes(DecodeUtf8(significant), sizes, example)) +
                        line.substr(begin + significant.size());
        edit.lineIndex = static_cast<int>(i);
        return edit;
    }

    const std::string header = FillingExample()[0];
    std::size_t at = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (std::string_view(lines[i]).substr(0, header.size()) == header) {
            at = i + 1;
            break;
        }
    }
    if (at == 0) {
        edit.lines.insert(edit.lines.begin(), header);
        at = 1;
    }
    edit.lines.insert(edit.lines.begin() + static_cast<std::ptrdiff_t>(at),
                      NewContainerLine(sizes));
    edit.lineIndex = static_cast<int>(at);
    edit.inserted = true;
    return edit;
}

}  // namespace stowbel
