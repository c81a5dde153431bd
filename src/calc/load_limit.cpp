#include "calc/load_limit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "order/rounding.h"

namespace stowbel {

namespace {

// Masses are decimal kilograms: a limit that two units meet exactly must allow them although
// the binary quotient may come out a hair below a whole number.
constexpr long double kMassTolerance = 1e-9L;

// No stack counts more units than this; it keeps the sum below far inside 64 bits.
constexpr long double kMostTiers = 1LL << 30;

}  // namespace

std::optional<std::int64_t> TiersAllowedByLoad(const CargoType& type) {
    if (!type.LoadLimit || !type.UnitMass || !(*type.UnitMass > 0)) {
        return std::nullopt;
    }
    const long double above =
        Trunc(static_cast<long double>(*type.LoadLimit) / *type.UnitMass + kMassTolerance);
    return 1 + static_cast<std::int64_t>(std::clamp(above, 0.0L, kMostTiers));
}

std::int64_t CapTiers(std::int64_t byHeight, const std::optional<std::int64_t>& byLoad) {
    return byLoad ? std::min(byHeight, *byLoad) : byHeight;
}

std::optional<std::int64_t> LyingLayersByLoad(const std::optional<std::int64_t>& byLoad,
                                              long double height, long double diameter,
                                              long double cell) {
    if (!byLoad || !(diameter > 0) || !(cell > 0)) {
        return std::nullopt;
    }
    // Two units of one column are at least D sin 60° apart in height: closer, they would be less
    // than D apart.
    const long double sin60 = std::sqrt(3.0L) / 2;
    const long double column = 1 + std::max(0.0L, Trunc((height - diameter) / (diameter * sin60)));
    if (static_cast<long double>(*byLoad) >= column) {
        return std::nullopt;
    }
    const long double straight = std::clamp(Trunc(height / cell), 1.0L, kMostTiers);
    return std::min(*byLoad, static_cast<std::int64_t>(straight));
}

long double HeightOfLayers(std::int64_t layers, long double cell) {
    const auto wanted = static_cast<long double>(layers);
    long double height = wanted * cell;
    while (Trunc(height / cell) < wanted) {
        height = std::nextafter(height, std::numeric_limits<long double>::infinity());
    }
    return height;
}

}  // namespace stowbel
