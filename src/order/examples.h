#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace stowbel {

// The two built-in example orders, seven lines each. "HMAN" (exactly, case-sensitive) names the
// how-many-containers example; every other name gives the how-much-fits example "ISIN".
std::vector<std::string> ExampleOrder(std::string_view name);

}  // namespace stowbel
