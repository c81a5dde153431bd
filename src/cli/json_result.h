#pragma once

#include <optional>
#include <string>

#include "calc/run_result.h"

namespace stowbel {

// The result as one JSON object: report, error, containers, placed and the placed stacks.
std::string ResultToJson(const RunResult& result, const std::optional<std::string>& error);

}  // namespace stowbel
