#include "calc/dense/dense_pack.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>

#include "calc/dense/block_search.h"
#include "calc/dense/common_unit.h"
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

double VolumeOf(const std::vector<BoxKind>& kinds, const std::vector<int>& quantities) {
    double volume = 0;
    for (std::size_t k = 0; k < kinds.size(); ++k)
        if (!kinds[k].orientations.empty()) {
            const Extent& e = kinds[k].orientations.front();
            volume += static_cast<double>(e.along) * static_cast<double>(e.across) *
                      static_cast<double>(e.height) * quantities[k];
        }
    return volume;
}

double VolumeOf(const Hold& hold) {
    return static_cast<double>(hold.length) * static_cast<double>(hold.width) *
           static_cast<double>(hold.height);
}

bool ValidHold(const Hold& hold) {
    return hold.length > 0 && hold.height > 0 && hold.gap >= 0 && hold.sideClearance >= 0 &&
           hold.width - 2 * hold.sideClearance > 0;
}

}  // namespace

PackResult PackOne(const Hold& givenHold, const std::vector<BoxKind>& givenKinds,
                   const SearchLimits& limits) {
    PackResult result;
    result.containers = 1;
    if (!ValidHold(givenHold))
        return result;
    const detail::CommonUnit unit = detail::InCommonUnit(givenHold, givenKinds);
    const Hold& hold = unit.hold;
    const std::vector<BoxKind>& kinds = unit.kinds;
    const Problem problem = detail::MakeProblem(hold, kinds, Quantities(kinds));
    const SearchOutcome outcome =
        detail::SearchPlan(problem, limits, {limits.stepBudget, limits.timeCapSeconds, 0, 1}, {});
    result.boxes = BoxesOf(problem, outcome.best, 1);
    detail::ScaleBack(unit, result.boxes);
    result.steps = outcome.steps;
    result.timeCapReached = outcome.timeCapReached;
    result.cancelled = outcome.cancelled;
    if (limits.progress)
        limits.progress(1.0);
    return result;
}

PackResult PackAll(const Hold& givenHold, const std::vector<BoxKind>& givenKinds,
                   const SearchLimits& limits, int maxContainers) {
    PackResult result;
    if (!ValidHold(givenHold))
        return result;
    const detail::CommonUnit unit = detail::InCommonUnit(givenHold, givenKinds);
    const Hold& hold = unit.hold;
    const std::vector<BoxKind>& kinds = unit.kinds;
    const auto start = std::chrono::steady_clock::now();
    std::vector<int> remaining = Quantities(kinds);
    auto patterns = std::make_shared<detail::PatternStore>();
    const double total = std::max(1.0, VolumeOf(kinds, remaining));
    // Containers fill unevenly: the progress shown never goes back.
    SearchLimits inner = limits;
    double shown = 0;
    if (limits.progress)
        inner.progress = [&](double p) {
            if (p > shown) {
                shown = p;
                limits.progress(p);
            }
        };
    for (int container = 1; container <= maxContainers; ++container) {
        if (std::all_of(remaining.begin(), remaining.end(), [](int r) { return r == 0; }))
            break;
        // What is left of the budget is shared among as many containers as the volume left
        // needs at the least.
        const double left = VolumeOf(kinds, remaining);
        const double needed = std::max(1.0, std::ceil(left / VolumeOf(hold)));
        const std::int64_t share = static_cast<std::int64_t>(
            static_cast<double>(std::max<std::int64_t>(0, limits.stepBudget - result.steps)) /
            needed);
        const std::int64_t perContainer =
            std::max(std::min(kMinStepsPerContainer, limits.stepBudget), share);
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        const double progressFrom = 1 - left / total;
        const double progressTo = progressFrom + (1 - progressFrom) / needed;
        const Problem problem = detail::MakeProblem(hold, kinds, remaining);
        const SearchOutcome outcome = detail::SearchPlan(
            problem, inner,
            {perContainer, limits.timeCapSeconds - spent.count(), progressFrom, progressTo},
            patterns);
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
    detail::ScaleBack(unit, result.boxes);
    if (limits.progress)
        limits.progress(1.0);
    return result;
}

}  // namespace stowbel::dense
