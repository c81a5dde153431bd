#pragma once

#include <cstdint>
#include <optional>

#include "order/model.h"

namespace stowbel {

// How many units of a type one stack may hold when the units above the lowest may weigh at most
// the type's load limit: 1 + Trunc(limit / unit mass); 1 for a limit of 0. None when the type
// gives no limit or its units weigh nothing.
std::optional<std::int64_t> TiersAllowedByLoad(const CargoType& type);

// The tiers a stack takes: the tiers the height allows, at most the load's.
std::int64_t CapTiers(std::int64_t byHeight, const std::optional<std::int64_t>& byLoad);

// The height that holds exactly this many layers of circles of the cell diameter in straight
// rows: the fitting counts them as that many layers (never one fewer by rounding).
long double HeightOfLayers(std::int64_t layers, long double cell);

}  // namespace stowbel
