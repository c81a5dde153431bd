#include "order/parser.h"

#include <string>

#include "order/errors.h"
#include "order/utf8.h"

namespace stowbel {

namespace {

bool InSet(char32_t ch, std::u32string_view set) {
    return set.find(ch) != std::u32string_view::npos;
}

std::string ToAscii(std::u32string_view run) {
    // Runs hold characters of the ASCII field sets only.
    std::string text;
    text.reserve(run.size());
    for (char32_t ch : run) {
        text.push_back(static_cast<char>(ch));
    }
    return text;
}

[[noreturn]] void Refuse(const std::string& message, int lineIndex) {
    throw OrderError(OrderError::Kind::Validation, message, lineIndex + 1);
}

// A size that later divides must be positive; "-" cannot be written, so zero is what remains.
void RequirePositive(double value, const char* field, int lineIndex) {
    if (!(value > 0)) {
        Refuse(std::string("поле «") + field + "» должно быть больше нуля, а указано 0.",
               lineIndex);
    }
}

// Larger sizes describe no real load and would only make the calculation's counts and searches
// astronomically long.
void RequireAtMostLimit(double value, const char* field, int lineIndex) {
    if (value > kMaxMillimetres) {
        Refuse(std::string("значение поля «") + field + "» слишком велико, допустимо не более " +
                   std::to_string(static_cast<long long>(kMaxMillimetres)) + " мм.",
               lineIndex);
    }
}

// Reads the number run at p, leaves p past the one separator character that follows it.
double ReadNumber(std::u32string_view text, std::size_t& p, const NumberFormat& format,
                  int lineIndex, const char* field) {
    const ScannedRun scanned = ScanRun(text, p, kNumberSet);
    const double value = ParseFloatRun(ToAscii(scanned.run), format, lineIndex);
    RequireAtMostLimit(value, field, lineIndex);
    p = scanned.stop + 1;
    return value;
}

bool FlagAt(std::u32string_view text, std::size_t position) {
    return position >= 1 && position <= text.size() && text[position - 1] == U'1';
}

// Orders may carry a mass after the last field of a line, in the room that older readers
// ignore. It is read only when a digit follows the one separator, so text there that never was
// a mass (a comment without "//", a trailing note) reads as before.
std::optional<double> ReadOptionalMass(std::u32string_view text, std::size_t stop,
                                       const NumberFormat& format, int lineIndex,
                                       const char* field) {
    const std::size_t start = stop + 1;
    if (start > text.size() || text[start - 1] < U'0' || text[start - 1] > U'9') {
        return std::nullopt;
    }
    const ScannedRun scanned = ScanRun(text, start, kNumberSet);
    const double value = ParseFloatRun(ToAscii(scanned.run), format, lineIndex);
    if (value > kMaxKilograms) {
        Refuse(std::string("значение поля «") + field + "» слишком велико, допустимо не более " +
                   std::to_string(static_cast<long long>(kMaxKilograms)) + " кг.",
               lineIndex);
    }
    return value;
}

}  // namespace

std::string_view StripComment(std::string_view line) {
    const std::size_t comment = line.find("//");
    if (comment != std::string_view::npos) {
        line = line.substr(0, comment);
    }
    const auto isBlank = [](char ch) { return static_cast<unsigned char>(ch) <= 32; };
    while (!line.empty() && isBlank(line.front())) {
        line.remove_prefix(1);
    }
    while (!line.empty() && isBlank(line.back())) {
        line.remove_suffix(1);
    }
    return line;
}

bool HasSignificantLine(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (!StripComment(line).empty()) {
            return true;
        }
    }
    return false;
}

ScannedRun ScanRun(std::u32string_view text, std::size_t start, std::u32string_view set) {
    std::size_t p = start;
    while (p >= 1 && p <= text.size() && InSet(text[p - 1], set)) {
        ++p;
    }
    if (p <= start || start > text.size()) {
        return {std::u32string_view(), p};
    }
    return {text.substr(start - 1, p - start), p};
}

void ParseContainerLine(std::string_view text, int lineIndex, const NumberFormat& format,
                        Container& spec) {
    const std::u32string chars = DecodeUtf8(text);
    std::size_t p = 1;
    spec.Width = ReadNumber(chars, p, format, lineIndex, "Ширина");
    RequirePositive(spec.Width, "Ширина", lineIndex);
    spec.Length = ReadNumber(chars, p, format, lineIndex, "Длина");
    RequirePositive(spec.Length, "Длина", lineIndex);
    spec.Height = ReadNumber(chars, p, format, lineIndex, "Высота");
    RequirePositive(spec.Height, "Высота", lineIndex);
    spec.SideClearance = ReadNumber(chars, p, format, lineIndex, "ОтступПоБортам");
    spec.UnitGap = ReadNumber(chars, p, format, lineIndex, "ОтступМеждуГЕ");
    // A missing or unknown mode reads as ISIN: neither flag.
    const ScannedRun mode = ScanRun(chars, p, kModeSet);
    spec.HowManyContainers = mode.run.find(U"HMAN") != std::u32string_view::npos;
    spec.ContinueFirstTwoOnly = mode.run.find(U"IDBL") != std::u32string_view::npos;
    spec.Payload = ReadOptionalMass(chars, mode.stop, format, lineIndex, "Грузоподъёмность");
    if (spec.Payload) {
        RequirePositive(*spec.Payload, "Грузоподъёмность", lineIndex);
    }
}

void ParseCargoLine(std::string_view text, int lineIndex, const NumberFormat& format,
                    CargoTable& table) {
    CargoType& entry = table[static_cast<std::size_t>(lineIndex)];
    const std::u32string chars = DecodeUtf8(text);
    std::size_t p = 1;
    entry.Width = ReadNumber(chars, p, format, lineIndex, "ГЕ-Ширина");
    entry.Length = ReadNumber(chars, p, format, lineIndex, "Длина");
    RequirePositive(entry.Length, "Длина", lineIndex);
    entry.Height = ReadNumber(chars, p, format, lineIndex, "Высота");
    RequirePositive(entry.Height, "Высота", lineIndex);

    const ScannedRun shape = ScanRun(chars, p, kShapeSet);
    entry.IsRectangular = shape.run.find(U"SQR") != std::u32string_view::npos;
    if (entry.IsRectangular) {
        // The width of a round unit is not used; a rectangular one divides by it.
        RequirePositive(entry.Width, "ГЕ-Ширина", lineIndex);
    }
    const std::size_t s = shape.stop;
    entry.MayTurnAcross = FlagAt(chars, s + 1);
    entry.MayLieOnAnySide = s + 3 <= chars.size() && chars[s + 2] == U'2';
    entry.MayStandOnEnd = entry.MayLieOnAnySide || FlagAt(chars, s + 3);

    const ScannedRun quantityRun = ScanRun(chars, s + 5, kQuantitySet);
    const std::int64_t quantity = ParseIntegerRun(ToAscii(quantityRun.run), lineIndex);
    if (quantity > kMaxQuantity) {
        Refuse("количество " + std::to_string(quantity) + " шт. больше допустимого, не более " +
                   std::to_string(kMaxQuantity) + " шт. в строке.",
               lineIndex);
    }
    entry.Quantity = static_cast<std::uint16_t>(quantity);
    entry.UnitMass = ReadOptionalMass(chars, quantityRun.stop, format, lineIndex, "Масса");
}

}  // namespace stowbel
