#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace stowbel {

// The three roundings of the calculation. They are never interchangeable: Round is to the
// nearest whole number with ties to even (2.5 -> 2, 3.5 -> 4), Trunc is toward zero, Ceil is
// the smallest whole number not below.
inline long double Round(long double x) {
    // rint follows the current rounding mode, which the program never changes from nearest-even.
    return std::rint(x);
}
inline long double Trunc(long double x) {
    return std::trunc(x);
}
inline long double Ceil(long double x) {
    return std::ceil(x);
}
inline long double Frac(long double x) {
    return x - std::trunc(x);
}

// Converts a whole-numbered value to an integer, saturating instead of overflowing: absurd orders
// (a unit of a thousandth of a millimetre) must not turn into undefined behaviour.
template <typename Int>
Int SaturateTo(long double x) {
    if (std::isnan(x)) {
        return 0;
    }
    constexpr auto lo = static_cast<long double>(std::numeric_limits<Int>::min());
    constexpr auto hi = static_cast<long double>(std::numeric_limits<Int>::max());
    if (x <= lo) {
        return std::numeric_limits<Int>::min();
    }
    if (x >= hi) {
        return std::numeric_limits<Int>::max();
    }
    return static_cast<Int>(x);
}

inline std::int32_t RoundToInt(long double x) {
    return SaturateTo<std::int32_t>(Round(x));
}
inline std::int32_t TruncToInt(long double x) {
    return SaturateTo<std::int32_t>(Trunc(x));
}

}  // namespace stowbel
