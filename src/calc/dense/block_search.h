#pragma once

// The search for a plan of one container: a beam over the block chosen for each free space in
// turn, every partial plan judged by completing it greedily. The beam widens run by run until
// the step budget is spent.

#include <cstdint>

#include <memory>

#include "calc/dense/block_candidates.h"
#include "calc/dense/dense_pack.h"
#include "calc/dense/packing_state.h"

namespace stowbel::dense::detail {

struct SearchOutcome {
    State best;
    std::shared_ptr<PatternStore> patterns;  // the best plan's blocks point into it
    std::int64_t steps = 0;
    bool timeCapReached = false, cancelled = false;
};

struct SearchBudget {
    std::int64_t steps = 0;
    double timeCapSeconds = 10;
    double progressFrom = 0, progressTo = 1;  // the share of the caller's progress bar
};

SearchOutcome SearchPlan(const Problem& problem, const SearchLimits& limits,
                         const SearchBudget& budget);

// Whether plan a beats plan b: more volume, then more boxes of earlier kinds.
bool BetterPlan(const State& a, const State& b);

}  // namespace stowbel::dense::detail
