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

constexpr int kMaxBeamWidth = 1024;
// Inner evaluations of the floor pattern solver that cost about as much as one step.
constexpr std::int64_t kPatternWorkPerStep = 20000;

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
    Search(const Problem& problem, const SearchLimits& limits, const SearchBudget& budget,
           std::shared_ptr<PatternStore> patterns)
        : problem_(problem),
          limits_(limits),
          budget_(budget),
          patterns_(patterns ? std::move(patterns) : std::make_shared<PatternStore>()),
          patternWork_(patterns_->Work()),
          maker_(problem, *patterns_),
          start_(std::chrono::steady_clock::now()) {}

    SearchOutcome Run() {
        const State root = InitialState(problem_);
        outcome_.best = root;
        State first = root;
        Complete(first);
        Offer(first);
        // A run that never had to leave a candidate out has tried everything; the widest run
        // gives the same plan every time.
        for (int width = 1; width <= kMaxBeamWidth && !Stopped(); width *= 2) {
            bool narrowed = false;
            if (!Beam(root, width, narrowed) || !narrowed)
                break;
        }
        outcome_.patterns = patterns_;
        return std::move(outcome_);
    }

private:
    bool Stopped() {
        if (outcome_.cancelled || outcome_.timeCapReached)
            return true;
        if (outcome_.steps >= budget_.steps)
            return true;
        // The clock and the caller are asked now and then: asking costs more than a step.
        if (++polls_ % 16 != 1)
            return false;
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
        std::array<std::int64_t, 3> d{s.z1 - u.z1, std::min(s.x1 - u.x1, u.x2 - s.x2),
                                      std::min(s.y1 - u.y1, u.y2 - s.y2)};
        std::sort(d.begin() + 1, d.end());
        return {d[0], d[1], d[2], -(s.SizeX() * s.SizeY() * s.SizeZ()), s.x1, s.y1, s.z1};
    }

    // Solving floor patterns counts as steps, so that the budget bounds it too.
    void ChargePatternWork() {
        const std::int64_t work = patterns_->Work();
        outcome_.steps += (work - patternWork_) / kPatternWorkPerStep;
        patternWork_ = work - (work - patternWork_) % kPatternWorkPerStep;
    }

    // The smallest sizes any box left could take in a space.
    Cuboid SmallestBox(const State& state) const {
        const std::int64_t none =
            problem_.usable.SizeX() + problem_.usable.SizeY() + problem_.usable.SizeZ() + 1;
        Cuboid least{0, 0, 0, none, none, none};
        for (std::size_t k = 0; k < problem_.kinds.size(); ++k) {
            if (PayloadAllows(problem_, state, static_cast<int>(k)) <= 0)
                continue;
            for (const Orientation& o : problem_.kinds[k].orientations) {
                least.x2 = std::min(least.x2, o.a);
                least.y2 = std::min(least.y2, o.b);
                least.z2 = std::min(least.z2, o.c);
            }
        }
        return least;
    }

    // The space to fill next and its candidate blocks; spaces no box fits are dropped. False
    // when no space is left.
    bool NextSpace(State& state, Cuboid& space, std::size_t keep, std::vector<Block>& candidates,
                   bool& narrowed) {
        const Cuboid least = SmallestBox(state);
        std::erase_if(state.spaces, [&](const Cuboid& s) {
            return s.SizeX() < least.x2 || s.SizeY() < least.y2 || s.SizeZ() < least.z2;
        });
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
            // Loads may turn down any block, so with load limits every candidate is kept.
            const std::size_t all =
                maker_.Candidates(state, space, problem_.trackLoads ? 0 : keep, candidates);
            narrowed = narrowed || all > keep;
            ChargePatternWork();
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
        bool narrowed = false;
        while (NextSpace(state, space, 1, candidates, narrowed)) {
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

    // Keeps the partial plans with the best completions; among equals, the earlier made.
    static void KeepBest(std::vector<std::pair<State, Score>>& children, std::size_t keep,
                         bool& narrowed) {
        std::stable_sort(children.begin(), children.end(),
                         [](const auto& a, const auto& b) { return a.second.Beats(b.second); });
        // Partial plans that complete to the same result are most likely one plan reached in a
        // different order: the first made stands for all, leaving room for different ones.
        const auto same =
            std::unique(children.begin(), children.end(), [](const auto& a, const auto& b) {
                return a.second.volume == b.second.volume &&
                       a.second.remaining == b.second.remaining;
            });
        if (same != children.end()) {
            narrowed = true;
            children.erase(same, children.end());
        }
        if (children.size() > keep) {
            narrowed = true;
            children.resize(keep);
        }
    }

    // One run of the beam from the empty container; false when stopped. Tells whether it left
    // out any candidate or partial plan.
    bool Beam(const State& root, int width, bool& narrowed) {
        std::vector<State> level{root};
        const auto keep = static_cast<std::size_t>(width);
        while (!level.empty()) {
            std::vector<std::pair<State, Score>> children;  // partial plan, its completion
            for (State& node : level) {
                Cuboid space;
                std::vector<Block> candidates;
                if (!NextSpace(node, space, keep, candidates, narrowed))
                    continue;
                std::size_t taken = 0;
                for (const Block& block : candidates) {
                    if (taken == keep) {
                        narrowed = true;
                        break;
                    }
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
                    if (children.size() >= 2 * keep)
                        KeepBest(children, keep, narrowed);
                }
            }
            std::stable_sort(children.begin(), children.end(),
                             [](const auto& a, const auto& b) { return a.second.Beats(b.second); });
            if (children.size() > keep) {
                narrowed = true;
                children.resize(keep);
            }
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
    std::int64_t patternWork_;
    BlockMaker maker_;
    std::chrono::steady_clock::time_point start_;
    SearchOutcome outcome_;
    std::int64_t polls_ = 0;
};

}  // namespace

bool BetterPlan(const State& a, const State& b) {
    if (a.volume != b.volume)
        return a.volume > b.volume;
    return a.remaining < b.remaining;
}

SearchOutcome SearchPlan(const Problem& problem, const SearchLimits& limits,
                         const SearchBudget& budget, std::shared_ptr<PatternStore> patterns) {
    return Search(problem, limits, budget, std::move(patterns)).Run();
}

}  // namespace stowbel::dense::detail
