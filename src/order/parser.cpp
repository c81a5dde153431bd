#include "order/parser.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

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

[[noreturn]] void RefuseText(const std::string& message, int lineIndex) {
    throw OrderError(OrderError::Kind::Conversion, message, lineIndex + 1);
}

// A size that later divides must be positive ("-" cannot be written, so zero is what remains),
// and a unit or container smaller than a millimetre is a slip of the decimal point, not a load.
void RequireSize(double value, const char* field, int lineIndex) {
    if (!(value > 0)) {
        Refuse(std::string("поле «") + field + "» должно быть больше нуля, а указано 0.",
               lineIndex);
    }
    if (value < 1) {
        Refuse(std::string("значение поля «") + field + "» слишком мало, допустимо не менее 1 мм.",
               lineIndex);
    }
}

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

// Where the fields of a line end: the positions of the characters the reader steps over between
// fields. They depend on the text alone, not on which character separates.
std::vector<std::size_t> NumberStops(std::u32string_view chars, int numbers, std::size_t& p) {
    std::vector<std::size_t> stops;
    for (int i = 0; i < numbers; ++i) {
        const std::size_t stop = ScanRun(chars, p, kNumberSet).stop;
        stops.push_back(stop);
        p = stop + 1;
    }
    return stops;
}

std::vector<std::size_t> ContainerSeparatorPositions(std::u32string_view chars) {
    std::size_t p = 1;
    return NumberStops(chars, 5, p);
}

std::vector<std::size_t> CargoSeparatorPositions(std::u32string_view chars) {
    std::size_t p = 1;
    std::vector<std::size_t> stops = NumberStops(chars, 3, p);
    const std::size_t s = ScanRun(chars, p, kShapeSet).stop;
    stops.insert(stops.end(), {s, s + 2, s + 4});
    return stops;
}

// The character that separates the fields of the line: the one found most often where the reader
// steps over a separator (on a tie the first), so that one slip is named as the field it is in.
// None when the line ends before its first separator.
std::optional<char32_t> LineSeparator(std::u32string_view chars,
                                      const std::vector<std::size_t>& positions) {
    std::vector<char32_t> seen;
    for (std::size_t position : positions) {
        if (position >= 1 && position <= chars.size()) {
            seen.push_back(chars[position - 1]);
        }
    }
    std::optional<char32_t> best;
    std::ptrdiff_t bestCount = 0;
    for (char32_t ch : seen) {
        const std::ptrdiff_t count = std::count(seen.begin(), seen.end(), ch);
        if (count > bestCount) {
            best = ch;
            bestCount = count;
        }
    }
    return best;
}

// Field texts quoted in a message are cut to this many characters.
constexpr std::size_t kQuotedTextLength = 40;

// One line being read field by field, with the separator its fields share.
class LineReader {
public:
    LineReader(std::string_view text, int lineIndex, const NumberFormat& format, bool container)
        : chars_(DecodeUtf8(text)),
          lineIndex_(lineIndex),
          format_(format),
          separator_(LineSeparator(chars_, container ? ContainerSeparatorPositions(chars_)
                                                     : CargoSeparatorPositions(chars_))) {}

    std::u32string_view Chars() const { return chars_; }
    int LineIndex() const { return lineIndex_; }

    bool PastEnd(std::size_t position) const { return position > chars_.size(); }
    bool IsSeparator(std::size_t position) const {
        return separator_ && position >= 1 && !PastEnd(position) &&
               chars_[position - 1] == *separator_;
    }
    // A field ends at the line's separator or at the line's end, never at another character.
    bool EndsField(std::size_t position) const {
        return PastEnd(position) || IsSeparator(position);
    }

    // The field's text as written: from its start up to the next separator or the line's end.
    std::string FieldText(std::size_t start) const {
        if (start < 1 || PastEnd(start)) {
            return {};
        }
        std::size_t end = start;
        while (!PastEnd(end) && !IsSeparator(end)) {
            ++end;
        }
        return EncodeUtf8(std::u32string_view(chars_).substr(start - 1, end - start));
    }

    [[noreturn]] void RefuseField(const char* field, std::size_t start, const char* what) const {
        const std::string text = FieldText(start);
        if (text.empty()) {
            RefuseText(std::string("поле «") + field + "» не заполнено", lineIndex_);
        }
        RefuseText(std::string("поле «") + field + "»: «" + Shortened(text) + "» — " + what,
                   lineIndex_);
    }

    // Reads the number field at p, leaves p past the separator that follows it.
    double ReadNumber(std::size_t& p, const char* field) const {
        const ScannedRun scanned = ScanRun(chars_, p, kNumberSet);
        if (!EndsField(scanned.stop)) {
            RefuseField(field, p, "не число");
        }
        const std::optional<double> value = ReadDecimal(ToAscii(scanned.run), format_);
        if (!value) {
            RefuseField(field, p, "не число");
        }
        RequireAtMostLimit(*value, field, lineIndex_);
        p = scanned.stop + 1;
        return *value;
    }

    // Orders may carry a field of their own after the last field of the specified format, in
    // the room that older readers ignore: it starts after the line's separator and runs up to the
    // next one or the line's end, and the whole of that text is the number. Text that does not
    // begin with the separator stays ignored; an empty field is not given.
    std::optional<double> ReadOwnNumber(std::size_t stop, const char* field) const {
        if (!IsSeparator(stop)) {
            return std::nullopt;
        }
        const std::string text = FieldText(stop + 1);
        if (text.empty()) {
            return std::nullopt;
        }
        const std::optional<double> value = ReadDecimal(text, format_);
        if (!value) {
            RefuseField(field, stop + 1, "не число");
        }
        return value;
    }

    // Where the field that starts after the separator at stop ends: the next separator or one
    // past the line's end.
    std::size_t FieldEnd(std::size_t stop) const {
        std::size_t end = stop + 1;
        while (!PastEnd(end) && !IsSeparator(end)) {
            ++end;
        }
        return end;
    }

private:
    static std::string Shortened(const std::string& text) {
        const std::u32string chars = DecodeUtf8(text);
        if (chars.size() <= kQuotedTextLength) {
            return text;
        }
        return EncodeUtf8(std::u32string_view(chars).substr(0, kQuotedTextLength)) + "…";
    }

    std::u32string chars_;
    int lineIndex_;
    const NumberFormat& format_;
    std::optional<char32_t> separator_;
};

void RequireAtMostKilograms(double value, const char* field, int lineIndex) {
    if (value > kMaxKilograms) {
        Refuse(std::string("значение поля «") + field + "» слишком велико, допустимо не более " +
                   std::to_string(static_cast<long long>(kMaxKilograms)) + " кг.",
               lineIndex);
    }
}

// The load limit follows the unit mass and is read like it. Without a mass there is no room for
// it: text after an empty mass field reads as before, as no field at all.
std::optional<double> ReadLoadLimit(const LineReader& line, std::size_t quantityStop,
                                    const std::optional<double>& mass) {
    if (!mass) {
        return std::nullopt;
    }
    const std::optional<double> limit =
        line.ReadOwnNumber(line.FieldEnd(quantityStop), "Нагрузка сверху");
    if (limit) {
        RequireAtMostKilograms(*limit, "Нагрузка сверху", line.LineIndex());
    }
    return limit;
}

bool FlagAt(std::u32string_view text, std::size_t position) {
    return position >= 1 && position <= text.size() && text[position - 1] == U'1';
}

// The quantity: digits up to the first other character; what follows them is ignored unless it
// begins with the line's separator. Leading zeros are allowed, so the limit is checked on the
// value, and the text is quoted when it has too many digits to hold.
std::uint16_t ReadQuantity(const LineReader& line, const ScannedRun& run, std::size_t start) {
    if (run.run.empty()) {
        line.RefuseField("Количество", start, "не целое число");
    }
    const std::string digits = ToAscii(run.run);
    const std::optional<std::int64_t> quantity = ReadDigits(digits);
    if (!quantity || *quantity > kMaxQuantity) {
        Refuse("количество " + (quantity ? std::to_string(*quantity) : digits) +
                   " шт. больше допустимого, не более " + std::to_string(kMaxQuantity) +
                   " шт. в строке.",
               line.LineIndex());
    }
    return static_cast<std::uint16_t>(*quantity);
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
    const LineReader line(text, lineIndex, format, true);
    std::size_t p = 1;
    spec.Width = line.ReadNumber(p, "Ширина");
    RequireSize(spec.Width, "Ширина", lineIndex);
    spec.Length = line.ReadNumber(p, "Длина");
    RequireSize(spec.Length, "Длина", lineIndex);
    spec.Height = line.ReadNumber(p, "Высота");
    RequireSize(spec.Height, "Высота", lineIndex);
    spec.SideClearance = line.ReadNumber(p, "ОтступПоБортам");
    spec.UnitGap = line.ReadNumber(p, "ОтступМеждуГЕ");
    // A missing or unknown mode reads as ISIN: neither flag.
    const ScannedRun mode = ScanRun(line.Chars(), p, kModeSet);
    spec.HowManyContainers = mode.run.find(U"HMAN") != std::u32string_view::npos;
    spec.ContinueFirstTwoOnly = mode.run.find(U"IDBL") != std::u32string_view::npos;
    spec.Payload = line.ReadOwnNumber(mode.stop, "Грузоподъёмность");
    if (spec.Payload) {
        RequireAtMostKilograms(*spec.Payload, "Грузоподъёмность", lineIndex);
        RequirePositive(*spec.Payload, "Грузоподъёмность", lineIndex);
    }
}

void ParseCargoLine(std::string_view text, int lineIndex, const NumberFormat& format,
                    CargoTable& table) {
    CargoType& entry = table[static_cast<std::size_t>(lineIndex)];
    const LineReader line(text, lineIndex, format, false);
    std::size_t p = 1;
    entry.Width = line.ReadNumber(p, "ГЕ-Ширина");
    entry.Length = line.ReadNumber(p, "Длина");
    RequireSize(entry.Length, "Длина", lineIndex);
    entry.Height = line.ReadNumber(p, "Высота");
    RequireSize(entry.Height, "Высота", lineIndex);

    const std::u32string_view chars = line.Chars();
    const ScannedRun shape = ScanRun(chars, p, kShapeSet);
    if (!line.EndsField(shape.stop)) {
        line.RefuseField("Тип", p, "не SQR и не RND");
    }
    entry.IsRectangular = shape.run.find(U"SQR") != std::u32string_view::npos;
    if (entry.IsRectangular) {
        // The width of a round unit is not used; a rectangular one divides by it.
        RequireSize(entry.Width, "ГЕ-Ширина", lineIndex);
    }
    // Each flag is one character; the line's separator must follow it.
    const std::size_t s = shape.stop;
    if (!line.EndsField(s + 2)) {
        line.RefuseField("H_ROTATE", s + 1, "ожидается 1 или 0");
    }
    entry.MayTurnAcross = FlagAt(chars, s + 1);
    if (!line.EndsField(s + 4)) {
        line.RefuseField("V_ROTATE", s + 3, "ожидается 1, 0 или 2");
    }
    // "2": may lie on any side; the rows read it as may stand on end.
    entry.MayLieOnAnySide = s + 3 <= chars.size() && chars[s + 2] == U'2';
    entry.MayStandOnEnd = entry.MayLieOnAnySide || FlagAt(chars, s + 3);

    const ScannedRun quantityRun = ScanRun(chars, s + 5, kQuantitySet);
    entry.Quantity = ReadQuantity(line, quantityRun, s + 5);
    entry.UnitMass = line.ReadOwnNumber(quantityRun.stop, "Масса");
    if (entry.UnitMass) {
        RequireAtMostKilograms(*entry.UnitMass, "Масса", lineIndex);
    }
    entry.LoadLimit = ReadLoadLimit(line, quantityRun.stop, entry.UnitMass);
}

}  // namespace stowbel
