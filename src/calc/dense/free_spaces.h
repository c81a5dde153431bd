#pragma once

// The free space of a partial plan as maximal empty cuboids whose floors are fully carried: the
// container floor, or tops of boxes at exactly the floor's height. A space never reaches over
// part of a block's top that carries nothing, so whatever stands on a space's floor is fully
// supported.

#include <vector>

#include "calc/dense/packing_model.h"

namespace stowbel::dense::detail {

// The spaces left when the given volume is taken: spaces it cuts give up the part it takes and
// keep the maximal parts beside and below it (never above: that part would not be carried).
void TakeFromSpaces(std::vector<Cuboid>& spaces, const Cuboid& taken);

// A new carried floor (a top of placed boxes) with free room above it. With mergeTops, the room
// is also joined with neighbouring carried floors at the same height into larger spaces.
void AddCarriedFloor(std::vector<Cuboid>& spaces, const Cuboid& room, bool mergeTops);

// Drops spaces that lie inside other spaces.
void RemoveContainedSpaces(std::vector<Cuboid>& spaces);

}  // namespace stowbel::dense::detail
