#include "calc/dense/block_search.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <tuple>
#include <utility>
#include <vector>

#include "calc/dense/block_candidates.h"

namespace stowbel::dense::detail {
namespace {

constexpr int kMaxBeamWidth = 32;

// Spaces nearest a corner of the container are filled first (by their distances to the
// nearest walls, smallest first), larger spaces before smaller ones.
struct SpaceRank {
    std::int64_t d1, d2, d3, negVolume, x1, y1, z1;
    friend bool operator<(const SpaceRank& a, const SpaceRank& b) {
        return std::tie(a.d1, a.d2, a.d3, a.negVolume, a.x1, a.y1, a.z1) <
               std::tie(b.d1, b.d2, b.d3, b.negVolume, b.x1, b.y1, b.z1);
    }
};

// What a completed plan is judged by.
struct Score {
    std::int64_t volume = 0;
    std::vector<int> remaining;
    bool Beats(const Score& o) const {
        return volume != o.volume ? volume > o.volume : remaining < o.remaining;
    }
};

class Search {
public:
    Search(const Problem& problem, const SearchLimits& limits, const SearchBudget& budget)
        : problem_(problem),
          limits_(limits),
          budget_(budget),
          patterns_(std::make_shared<PatternStore>()),
          maker_(problem, *patterns_),
          start_(std::chrono::steady_clock::now()) {}

    SearchOutcome Run() {
        const State root = InitialState(problem_);
        outcome_.best = root;
        State first = root;
        Complete(first);
        Offer(first);
        for (int width = 1; !Stopped(); width = std::min(width * 2, kMaxBeamWidth))
            if (!Beam(root, width))
                break;
        outcome_.patterns = patterns_;
        return std::move(outcome_);
    }

private:
    bool Stopped() {
        if (outcome_.cancelled || outcome_.timeCapReached)
            return true;
        if (outcome_.steps >= budget_.steps)
            return true;
        if (limits_.cancelled && limits_.cancelled()) {
            outcome_.cancelled = true;
            return true;
        }
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start_;
        if (spent.count() >= budget_.timeCapSeconds) {
            outcome_.timeCapReached = true;
            return true;
        }
        return false;
    }

    void Offer(const State& plan) {
        if (BetterPlan(plan, outcome_.best))
            outcome_.best = plan;
    }

    void ReportProgress() {
        if (!limits_.progress || budget_.steps <= 0 || outcome_.steps % 64 != 0)
            return;
        const double done =
            std::min(1.0, static_cast<double>(outcome_.steps) / static_cast<double>(budget_.steps));
        limits_.progress(budget_.progressFrom + done * (budget_.progressTo - budget_.progressFrom));
    }

    SpaceRank RankOf(const Cuboid& s) const {
        const Cuboid& u = problem_.usable;
        std::array<std::int64_t, 3> d{std::min(s.x1 - u.x1, u.x2 - s.x2),
                                      std::min(s.y1 - u.y1, u.y2 - s.y2), s.z1 - u.z1};
        std::sort(d.begin(), d.end());
        return {d[0], d[1], d[2], -(s.SizeX() * s.SizeY() * s.SizeZ()), s.x1, s.y1, s.z1};
    }

    // The space to fill next and its candidate blocks; spaces no box fits are dropped. False
    // when no space is left.
    bool NextSpace(State& state, Cuboid& space, std::vector<Block>& candidates) {
        while (!state.spaces.empty()) {
            std::size_t best = 0;
            SpaceRank bestRank = RankOf(state.spaces[0]);
            for (std::size_t i = 1; i < state.spaces.size(); ++i) {
                const SpaceRank r = RankOf(state.spaces[i]);
                if (r < bestRank) {
                    bestRank = r;
                    best = i;
                }
            }
            space = state.spaces[best];
            candidates.clear();
            maker_.Candidates(state, space, candidates);
            if (!candidates.empty())
                return true;
            state.spaces.erase(state.spaces.begin() + static_cast<std::ptrdiff_t>(best));
        }
        return false;
    }

    // The block goes into the corner of the space nearest a corner of the container.
    Placement At(const Cuboid& space, const Block& block) const {
        const Cuboid& u = problem_.usable;
        Placement p{block, space.x1, space.y1, space.z1};
        if (space.x1 - u.x1 > u.x2 - space.x2)
            p.x = space.x2 - block.sizeX;
        if (space.y1 - u.y1 > u.y2 - space.y2)
            p.y = space.y2 - block.sizeY;
        return p;
    }

    void PlaceCounted(State& state, const Placement& placement) {
        Place(problem_, state, placement);
        ++outcome_.steps;
        ReportProgress();
    }

    // Fills the plan greedily, always the best block that the loads allow.
    void Complete(State& state) {
        Cuboid space;
        std::vector<Block> candidates;
        while (NextSpace(state, space, candidates)) {
            bool placed = false;
            for (const Block& block : candidates) {
                const Placement p = At(space, block);
                if (space.z1 == 0 || LoadsAllow(problem_, state, p)) {
                    PlaceCounted(state, p);
                    placed = true;
                    break;
                }
            }
            if (!placed)
                state.spaces.erase(std::find(state.spaces.begin(), state.spaces.end(), space));
        }
    }

    // One run of the beam from the empty container; false when stopped.
    bool Beam(const State& root, int width) {
        std::vector<State> level{root};
        const auto keep = static_cast<std::size_t>(width);
        while (!level.empty()) {
            std::vector<std::pair<State, Score>> children;  // partial plan, its completion
            for (State& node : level) {
                Cuboid space;
                std::vector<Block> candidates;
                if (!NextSpace(node, space, candidates))
                    continue;
                std::size_t taken = 0;
                for (const Block& block : candidates) {
                    if (taken == keep)
                        break;
                    const Placement p = At(space, block);
                    if (space.z1 != 0 && !LoadsAllow(problem_, node, p))
                        continue;
                    if (Stopped())
                        return false;
                    ++taken;
                    State child = node;
                    PlaceCounted(child, p);
                    State completed = child;
                    Complete(completed);
                    Offer(completed);
                    children.emplace_back(std::move(child),
                                          Score{completed.volume, completed.remaining});
                }
            }
            std::stable_sort(children.begin(), children.end(),
                             [](const auto& a, const auto& b) { return a.second.Beats(b.second); });
            if (children.size() > keep)
                children.resize(keep);
            level.clear();
            for (auto& c : children)
                level.push_back(std::move(c.first));
        }
        return true;
    }

    const Problem& problem_;
    const SearchLimits& limits_;
    SearchBudget budget_;
    std::shared_ptr<PatternStore> patterns_;
    BlockMaker maker_;
    std::chrono::steady_clock::time_point start_;
    SearchOutcome outcome_;
};

}  // namespace

bool BetterPlan(const State& a, const State& b) {
    if (a.volume != b.volume)
        return a.volume > b.volume;
    return a.remaining < b.remaining;
}

SearchOutcome SearchPlan(const Problem& problem, const SearchLimits& limits,
                         const SearchBudget& budget) {
    return Search(problem, limits, budget).Run();
}

}  // namespace stowbel::dense::detail
