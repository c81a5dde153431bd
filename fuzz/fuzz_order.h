#pragma once

#include <cstddef>
#include <cstdint>

#include "calc/placement_observer.h"

namespace stowbel {

// Runs arbitrary bytes through the order file decoding, the parser and the whole calculation
// with the given drawing. Order errors are the expected way out; anything else escapes and is a
// finding.
void CalculateBytes(const std::uint8_t* data, std::size_t size, PlacementObserver& observer);

}  // namespace stowbel
