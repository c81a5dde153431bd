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

// Lying round units carry the units of their column above them: those less than half a diameter
// away along the container. The staggered rows that fill the height may put up to
// 1 + Trunc((height - D) / (D sin 60°)) units in a column; where the limit allows fewer, the units
// lie in straight layers instead, as many as the limit and the height allow. Returns that number
// of layers, or none when the limit leaves the rows as they are.
std::optional<std::int64_t> LyingLayersByLoad(const std::optional<std::int64_t>& byLoad,
                                              long double height, long double diameter,
                                              long double cell);

// The height that holds exactly this many layers of circles of the cell diameter in straight
// rows: the fitting counts them as that many layers (never one fewer by rounding).
long double HeightOfLayers(std::int64_t layers, long double cell);

}  // namespace stowbel
