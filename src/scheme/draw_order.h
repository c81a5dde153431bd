#pragma once

#include <cstddef>
#include <vector>

#include "calc/run_result.h"
#include "order/model.h"

namespace stowbel {

// A solid of a load, in millimetres: x along the container from the front wall, y across from
// the first side wall, z up from the floor; x1 < x2, y1 < y2, z1 < z2.
struct SceneBox {
    double x1 = 0, y1 = 0, z1 = 0;
    double x2 = 0, y2 = 0, z2 = 0;
};

// The space a stack of a plan takes in its container.
SceneBox SpaceOf(const PlacedStack& stack, const Container& spec);

// The order in which to draw solids that share no space so that in the 3D view (from the door
// end, from the side of the second side wall, from above) a nearer solid covers a farther one:
// a solid comes after every solid it hides part of. Among solids free to come next the one
// given first comes first, so the same solids always give the same order.
std::vector<std::size_t> BackToFrontOrder(const std::vector<SceneBox>& boxes);

}  // namespace stowbel
