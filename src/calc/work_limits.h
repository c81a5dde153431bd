#pragma once

#include <cstdint>

#include "order/model.h"

namespace stowbel {

// Bounds on what one calculation may be asked to lay out and draw, so that no order, however
// absurd, keeps the program busy for more than a few seconds. Orders beyond them are refused with
// a message naming the line; real loads stay far below.
inline constexpr int kMaxCargoLines = 10000;
inline constexpr std::int64_t kMaxUnitsPerRun = 100000;
// A drum is drawn with some 260 figures, a box with 3: drums get a bound of their own.
inline constexpr std::int64_t kMaxRoundUnitsPerRun = 20000;
inline constexpr double kMaxUnitsAcross = 1000;

struct WorkTotals {
    int cargoLines = 0;
    std::int64_t units = 0;
    std::int64_t roundUnits = 0;
};

// Counts the cargo line just read and throws an OrderError when the order passes a bound.
void CheckWorkLimits(const Container& spec, const CargoType& type, int lineIndex,
                     WorkTotals& totals);

// With a payload every unit's mass counts: a forgotten mass must not pass as 0 kg. Throws an
// OrderError for a type without one.
void RequireUnitMass(const Container& spec, const CargoType& type, int lineIndex);

}  // namespace stowbel
