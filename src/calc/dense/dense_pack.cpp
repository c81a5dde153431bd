#include "calc/dense/dense_pack.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>

#include "calc/dense/block_search.h"
#include "calc/dense/loading_order.h"
#include "calc/dense/packing_model.h"

namespace stowbel::dense {
namespace {

using detail::Cell;
using detail::Problem;
using detail::SearchBudget;
using detail::SearchOutcome;

// A run's own steps never go below this per container, however many containers share a budget.
constexpr std::int64_t kMinStepsPerContainer = 500;

std::vector<PlacedBox> BoxesOf(const Problem& problem, const detail::State& plan, int container) {
    std::vector<PlacedBox> boxes;
    for (const detail::Placement& p : plan.placements) {
        const auto& kind = problem.kinds[static_cast<std::size_t>(p.block.kind)];
        for (const Cell& cell : detail::CellsOf(problem, p)) {
            const auto& o = kind.orientations[static_cast<std::size_t>(cell.orientation)];
            for (int i = 0; i < cell.nx; ++i)
                for (int j = 0; j < cell.ny; ++j)
                    for (int k = 0; k < cell.nz; ++k)
                        boxes.push_back({p.block.kind, container, cell.x + i * o.a,
                                         cell.y + j * o.b, cell.z + k * o.c, o.real});
        }
    }
    detail::SortForLoading(boxes);
    return boxes;
}

std::vector<int> Quantities(const std::vector<BoxKind>& kinds) {
    std::vector<int> q;
    for (const BoxKind& k : kinds)
        q.push_back(std::max(0, k.quantity));
    return q;
}

bool ValidHold(const Hold& hold) {
    return hold.length > 0 && hold.height > 0 && hold.gap >= 0 && hold.sideClearance >= 0 &&
           hold.width - 2 * hold.sideClearance > 0;
}

}  // namespace

PackResult PackOne(const Hold& hold, const std::vector<BoxKind>& kinds,
                   const SearchLimits& limits) {
    PackResult result;
    result.containers = 1;
    if (!ValidHold(hold))
        return result;
    const Problem problem = detail::MakeProblem(hold, kinds, Quantities(kinds));
    const SearchOutcome outcome =
        detail::SearchPlan(problem, limits, {limits.stepBudget, limits.timeCapSeconds, 0, 1});
    result.boxes = BoxesOf(problem, outcome.best, 1);
    result.steps = outcome.steps;
    result.timeCapReached = outcome.timeCapReached;
    result.cancelled = outcome.cancelled;
    return result;
}

PackResult PackAll(const Hold& hold, const std::vector<BoxKind>& kinds, const SearchLimits& limits,
                   int maxContainers) {
    PackResult result;
    if (!ValidHold(hold))
        return result;
    const auto start = std::chrono::steady_clock::now();
    std::vector<int> remaining = Quantities(kinds);
    // The budget is shared among as many containers as the volume needs at the least.
    double volume = 0;
    for (std::size_t k = 0; k < kinds.size(); ++k)
        if (!kinds[k].orientations.empty()) {
            const Extent& e = kinds[k].orientations.front();
            volume += static_cast<double>(e.along) * static_cast<double>(e.across) *
                      static_cast<double>(e.height) * remaining[k];
        }
    const double hull = static_cast<double>(hold.length) * static_cast<double>(hold.width) *
                        static_cast<double>(hold.height);
    const auto needed = static_cast<std::int64_t>(std::max(1.0, std::ceil(volume / hull)));
    const std::int64_t perContainer =
        std::max(std::min(kMinStepsPerContainer, limits.stepBudget), limits.stepBudget / needed);
    for (int container = 1; container <= maxContainers; ++container) {
        if (std::all_of(remaining.begin(), remaining.end(), [](int r) { return r == 0; }))
            break;
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        const double progressFrom =
            std::min(1.0, static_cast<double>(container - 1) / static_cast<double>(needed));
        const double progressTo =
            std::min(1.0, static_cast<double>(container) / static_cast<double>(needed));
        const Problem problem = detail::MakeProblem(hold, kinds, remaining);
        const SearchOutcome outcome = detail::SearchPlan(
            problem, limits,
            {perContainer, limits.timeCapSeconds - spent.count(), progressFrom, progressTo});
        result.steps += outcome.steps;
        result.timeCapReached = result.timeCapReached || outcome.timeCapReached;
        result.cancelled = result.cancelled || outcome.cancelled;
        if (outcome.best.placements.empty())
            break;
        std::vector<PlacedBox> boxes = BoxesOf(problem, outcome.best, container);
        for (const PlacedBox& b : boxes)
            --remaining[static_cast<std::size_t>(b.kind)];
        result.boxes.insert(result.boxes.end(), boxes.begin(), boxes.end());
        result.containers = container;
        if (result.cancelled)
            break;
    }
    if (limits.progress)
        limits.progress(1.0);
    return result;
}

}  // namespace stowbel::dense
