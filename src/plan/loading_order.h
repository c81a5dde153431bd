#pragma once

#include <cstddef>
#include <vector>

#include "scheme/draw_order.h"

namespace stowbel {

// Whether a loader must put a before b: b stands above a on a's top or higher up (their floor
// outlines overlap and a ends where b begins or lower), or a lies between b and the front wall
// (a ends where b begins along the container or before it, and they overlap across and in
// height).
bool LoadsBefore(const SceneBox& a, const SceneBox& b);

// An order in which a loader can put stacks that share no space: every stack after everything
// it stands on and everything between it and the front wall. Among stacks free to go next the
// one nearest the front wall goes, then the lowest, then the one nearest the first side wall.
std::vector<std::size_t> LoaderOrder(const std::vector<SceneBox>& spaces);

}  // namespace stowbel
