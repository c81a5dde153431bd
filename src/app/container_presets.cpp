#include "app/container_presets.h"

#include <filesystem>
#include <string_view>
#include <system_error>

#include "files/file_error.h"
#include "files/order_file.h"
#include "order/parser.h"

namespace stowbel {

namespace {

constexpr long long kMaxPresetMillimetres = static_cast<long long>(kMaxMillimetres);

std::string_view Trim(std::string_view text) {
    const auto blank = [](char ch) { return static_cast<unsigned char>(ch) <= 32; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::vector<std::string_view> SplitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = text.find(';', begin);
        fields.push_back(Trim(text.substr(begin, end - begin)));
        if (end == std::string_view::npos) {
            return fields;
        }
        begin = end + 1;
    }
}

// Whole millimetres from 1 to the largest size an order may name; -1 otherwise.
long long ReadMillimetres(std::string_view text) {
    if (text.empty() || text.size() > 7) {
        return -1;
    }
    long long value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9') {
            return -1;
        }
        value = value * 10 + (ch - '0');
    }
    return value >= 1 && value <= kMaxPresetMillimetres ? value : -1;
}

}  // namespace

ContainerPresetList ParseContainerPresets(const std::vector<std::string>& lines,
                                          const std::string& fileName) {
    ContainerPresetList list;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text = StripComment(lines[i]);
        if (text.empty()) {
            continue;
        }
        const std::string where = fileName + ", строка " + std::to_string(i + 1) + ": ";
        const std::vector<std::string_view> fields = SplitFields(text);
        if (fields.size() != 4 || fields[0].empty()) {
            list.problems.push_back(
                where + "нужно «название; длина; ширина; высота» через точку с запятой.");
            continue;
        }
        static constexpr const char* kNames[] = {"длина", "ширина", "высота"};
        long long sizes[3] = {};
        bool ok = true;
        for (std::size_t k = 0; k < 3 && ok; ++k) {
            sizes[k] = ReadMillimetres(fields[k + 1]);
            if (sizes[k] < 0) {
                list.problems.push_back(where + kNames[k] + " «" + std::string(fields[k + 1]) +
                                        "» — нужно целое число миллиметров от 1 до " +
                                        std::to_string(kMaxPresetMillimetres) + ".");
                ok = false;
            }
        }
        if (ok) {
            list.presets.push_back({std::string(fields[0]), {sizes[0], sizes[1], sizes[2]}});
        }
    }
    return list;
}

ContainerPresetList ReadContainerPresets(const std::string& path) {
    const std::string fileName = std::filesystem::path(path).filename().string();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return {{}, {"Файл " + fileName + " не найден рядом с программой."}};
    }
    try {
        return ParseContainerPresets(ReadOrderFile(path), fileName);
    } catch (const FileError& e) {
        return {{}, {e.what()}};
    }
}

}  // namespace stowbel
