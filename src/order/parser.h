#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "order/model.h"
#include "order/number_format.h"

namespace stowbel {

// Character sets of the positional fields. Letters are compared as they are.
inline constexpr std::u32string_view kNumberSet = U"1234567890.";
inline constexpr std::u32string_view kModeSet = U"ISINHMANIDBL";
inline constexpr std::u32string_view kShapeSet = U"SQRRND";
inline constexpr std::u32string_view kQuantitySet = U"1234567890";

inline constexpr std::uint16_t kMaxQuantity = 65535;
// No size of a container or a unit may exceed a kilometre.
inline constexpr double kMaxMillimetres = 1000000;
// Nor may a unit's mass or a payload exceed a hundred thousand tonnes.
inline constexpr double kMaxKilograms = 100000000;

// The significant text of a line: what precedes the first "//", without leading and trailing
// characters of code 32 or less.
std::string_view StripComment(std::string_view line);

bool HasSignificantLine(const std::vector<std::string>& lines);

struct ScannedRun {
    std::u32string_view run;
    std::size_t stop;  // 1-based position of the character that ended the run
};

// Takes characters of the set from the 1-based position start on.
ScannedRun ScanRun(std::u32string_view text, std::size_t start, std::u32string_view set);

// Both readers write their target field by field; an error leaves the fields before it written.
// lineIndex (0-based) only serves the error messages.
void ParseContainerLine(std::string_view text, int lineIndex, const NumberFormat& format,
                        Container& spec);
void ParseCargoLine(std::string_view text, int lineIndex, const NumberFormat& format,
                    CargoTable& table);

}  // namespace stowbel
