#pragma once

#include "calc/placement.h"

namespace stowbel {

// The round branch of the placement: standing cylinders in staggered lines along the container,
// or, when laidOnEnd, cylinders lying with their axis across the container.
void PlaceRoundUnits(PlacementContext& context, bool laidOnEnd);

}  // namespace stowbel
