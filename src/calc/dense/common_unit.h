#pragma once

// Sizes given in fine units (micrometres) are divided by their greatest common divisor before
// packing, so that volumes stay well inside 64-bit integers; plans are scaled back afterwards.
// The division is exact, so the plan is the same as in the given units.

#include <cstdint>
#include <vector>

#include "calc/dense/dense_pack.h"

namespace stowbel::dense::detail {

struct CommonUnit {
    std::int64_t factor = 1;  // given units per packing unit
    Hold hold;
    std::vector<BoxKind> kinds;
};

CommonUnit InCommonUnit(const Hold& hold, const std::vector<BoxKind>& kinds);

// Back to the given units.
void ScaleBack(const CommonUnit& unit, std::vector<PlacedBox>& boxes);

}  // namespace stowbel::dense::detail
