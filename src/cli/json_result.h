#pragma once

#include <optional>
#include <string>

#include "calc/run_result.h"
#include "job/calculation_job.h"

namespace stowbel {

// The result as one JSON object, keys in alphabetical order: containerDetails (mass and centre
// of gravity per container), containers, error (the bare message or null), errorLine (the
// 1-based line of an order error or null), placed, report and the placed stacks.
std::string ResultToJson(const RunResult& result, const std::optional<JobError>& error);

}  // namespace stowbel
