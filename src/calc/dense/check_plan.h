#pragma once

// An independent check of a dense plan against every rule a loadable plan keeps. It shares no
// code with the packing, so that tests can trust it.

#include <string>
#include <vector>

#include "calc/dense/dense_pack.h"

namespace stowbel::dense {

// One line per broken rule; empty when the plan keeps them all.
std::vector<std::string> CheckPlan(const Hold& hold, const std::vector<BoxKind>& kinds,
                                   const PackResult& result);

}  // namespace stowbel::dense
