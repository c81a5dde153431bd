#pragma once

// The order a loader follows inside one container.

#include <vector>

#include "calc/dense/dense_pack.h"

namespace stowbel::dense::detail {

// Reorders the boxes of one container: a box comes after every box it stands on and after every
// box nearer the front wall whose across-and-up outline overlaps its own. Among boxes free to go,
// the one nearest the front wall goes first, then the lower, then the one nearer the first side.
void SortForLoading(std::vector<PlacedBox>& boxes);

}  // namespace stowbel::dense::detail
