#pragma once

#include <cstddef>
#include <cstdint>

#include "calc/placement_observer.h"
#include "calc/run.h"

namespace stowbel {

// What one run of the bytes left: the order as parsed and the result, complete or (after an
// order error) up to the faulty line.
struct CalculatedBytes {
    OrderModel model;
    RunResult result;
};

// Runs arbitrary bytes through the order file decoding, the parser and the whole calculation
// (by the rows, or for some inputs by dense loading) with the given drawing. Order errors are the
// expected way out; anything else escapes and is a finding.
CalculatedBytes CalculateBytes(const std::uint8_t* data, std::size_t size,
                               PlacementObserver& observer);

}  // namespace stowbel
