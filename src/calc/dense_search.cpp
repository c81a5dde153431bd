#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

#include "calc/dense_plan.h"
#include "calc/payload_budget.h"
#include "calc/placement.h"
#include "calc/planner.h"
#include "calc/run_state.h"

namespace stowbel {

namespace {

// The search works in whole millimetres: a unit's sizes are rounded up and the container's
// down, so a plan that fits in whole millimetres fits the real sizes too.
std::int64_t UnitMillimetres(double size) {
    return static_cast<std::int64_t>(std::ceil(size - 1e-9));
}
std::int64_t HoldMillimetres(double size) {
    return static_cast<std::int64_t>(std::floor(size + 1e-9));
}

// The orientations a box may take, as (along, across, up): as ordered; turned across; stood
// on its end (length and height exchanged), also turned; or, with V_ROTATE 2, all six.
std::vector<dense::Extent> Orientations(const CargoType& type) {
    const std::int64_t l = UnitMillimetres(type.Length);
    const std::int64_t w = UnitMillimetres(type.Width);
    const std::int64_t h = UnitMillimetres(type.Height);
    std::vector<dense::Extent> all{{l, w, h}};
    if (type.MayLieOnAnySide) {
        all.insert(all.end(), {{w, l, h}, {h, w, l}, {w, h, l}, {l, h, w}, {h, l, w}});
    } else {
        if (type.MayTurnAcross) {
            all.push_back({w, l, h});
        }
        if (type.MayStandOnEnd) {
            all.push_back({h, w, l});
            if (type.MayTurnAcross) {
                all.push_back({w, h, l});
            }
        }
    }
    std::vector<dense::Extent> distinct;
    for (const dense::Extent& e : all) {
        if (std::find(distinct.begin(), distinct.end(), e) == distinct.end()) {
            distinct.push_back(e);
        }
    }
    return distinct;
}

// Keeps what the rows' round placement lays.
class RoundCollector : public PlacementObserver {
public:
    RoundCollector(std::vector<DenseRound>& rounds) : rounds_(rounds) {}
    int line = 0;
    int container = 1;
    void RoundPlaced(const RoundEvent& unit) override {
        rounds_.push_back({line, container, unit});
    }
    void LyingRoundPlaced(const LyingRoundEvent& unit) override {
        rounds_.push_back({line, container, unit});
    }

private:
    std::vector<DenseRound>& rounds_;
};

// The floor square a round position keeps from boxes, up to its top.
dense::Obstacle ObstacleOf(const DenseRound& round, const Container& spec) {
    if (const auto* standing = std::get_if<RoundEvent>(&round.event)) {
        const long double r = standing->diameter / 2;
        return {static_cast<std::int64_t>(std::floor(standing->x - r)),
                static_cast<std::int64_t>(std::floor(standing->y - r)),
                static_cast<std::int64_t>(std::ceil(standing->x + r)),
                static_cast<std::int64_t>(std::ceil(standing->y + r)),
                static_cast<std::int64_t>(std::ceil(standing->unitHeight * standing->count))};
    }
    const auto& lying = std::get<LyingRoundEvent>(round.event);
    const long double r = lying.diameter / 2;
    return {static_cast<std::int64_t>(std::floor(lying.x - r)),
            static_cast<std::int64_t>(std::floor(lying.y)),
            static_cast<std::int64_t>(std::ceil(lying.x + r)),
            static_cast<std::int64_t>(std::ceil(lying.y + lying.axisLength * lying.count)),
            static_cast<std::int64_t>(std::ceil(spec.Height - lying.z + r))};
}

// The packing search polls its stop hook at least once for every block it places and reports
// progress every 64 blocks. Far more polls than that without progress means it is going round
// without a block to place (nothing fits beside what the container holds): it is stopped then,
// after a fixed number of polls, so the plan stays the same on every machine.
inline constexpr int kStalledPolls = 4096;

struct SearchWatch {
    int polls = 0;
    bool cancelledByUser = false;
};

class DenseSearch {
public:
    DenseSearch(const Container& spec, std::vector<DenseLine> lines, const RunOptions& options)
        : spec_(spec), options_(options), start_(std::chrono::steady_clock::now()) {
        plan_.lines = std::move(lines);
        for (const DenseLine& line : plan_.lines) {
            left_.push_back(line.type.Quantity);
            total_ += line.type.Quantity;
        }
    }

    DensePlan Run() {
        const int most = spec_.HowManyContainers      ? std::numeric_limits<int>::max()
                         : spec_.ContinueFirstTwoOnly ? 2
                                                      : 1;
        for (int container = 1; container <= most && Remaining() > 0; ++container) {
            if (!FillContainer(container)) {
                break;
            }
            plan_.containers = container;
        }
        return std::move(plan_);
    }

private:
    std::int64_t Remaining() const {
        std::int64_t sum = 0;
        for (std::size_t i = 0; i < left_.size(); ++i) {
            if (MayGoIn(i)) {
                sum += left_[i];
            }
        }
        return sum;
    }
    // IDBL: only the first two lines go on into the second container.
    bool MayGoIn(std::size_t line) const {
        return current_ == 1 || spec_.HowManyContainers || plan_.lines[line].typeCount <= 2;
    }

    // Fills one container; false when it took nothing.
    bool FillContainer(int container) {
        current_ = container;
        const std::size_t roundsBefore = plan_.rounds.size();
        const long double roundMass = LayRoundLines(container);
        std::vector<dense::Obstacle> obstacles;
        for (std::size_t i = roundsBefore; i < plan_.rounds.size(); ++i) {
            obstacles.push_back(ObstacleOf(plan_.rounds[i], spec_));
        }
        const bool boxesPlaced = PackBoxes(container, std::move(obstacles), roundMass);
        return boxesPlaced || plan_.rounds.size() > roundsBefore;
    }

    // The round lines at the front of the container, one after the other as the rows lay them.
    // Returns their mass.
    long double LayRoundLines(int container) {
        RoundCollector collector(plan_.rounds);
        collector.container = container;
        RunState state;
        CargoTable table;
        PayloadBudget budget(spec_.Payload);
        budget.BeginContainer();
        PlacementContext context{spec_, table, state, options_.alternate, collector, budget};
        long double mass = 0;
        for (std::size_t i = 0; i < plan_.lines.size(); ++i) {
            const DenseLine& line = plan_.lines[i];
            if (line.type.IsRectangular || left_[i] == 0 || !MayGoIn(i)) {
                continue;
            }
            if (budget.Full() || state.UsedLength >= spec_.Length) {
                break;
            }
            CargoType& type = table[static_cast<std::size_t>(line.index)];
            type = line.type;
            type.Quantity = static_cast<std::uint16_t>(left_[i]);
            state.TypeIndex = line.index;
            state.TypeCount = line.typeCount;
            state.UnitsLeft = left_[i];
            budget.BeginType(line.type.UnitMass);
            collector.line = static_cast<int>(i);
            PlaceCargoType(context);
            mass += static_cast<long double>(left_[i] - state.UnitsLeft) *
                    line.type.UnitMass.value_or(0);
            left_[i] = state.UnitsLeft;
            if (state.UsedLength > spec_.Length) {
                break;  // the rest of this line and the round lines after it go further
            }
        }
        return mass;
    }

    bool PackBoxes(int container, std::vector<dense::Obstacle> obstacles, long double roundMass) {
        std::vector<dense::BoxKind> kinds;
        for (std::size_t i = 0; i < plan_.lines.size(); ++i) {
            const CargoType& type = plan_.lines[i].type;
            if (!type.IsRectangular || left_[i] == 0 || !MayGoIn(i)) {
                continue;
            }
            dense::BoxKind kind;
            kind.id = static_cast<int>(i);
            kind.orientations = Orientations(type);
            kind.quantity = left_[i];
            kind.unitMass = type.UnitMass;
            kinds.push_back(std::move(kind));
        }
        if (kinds.empty()) {
            return false;
        }
        dense::Hold hold;
        hold.length = HoldMillimetres(spec_.Length);
        hold.width = HoldMillimetres(spec_.Width);
        hold.height = HoldMillimetres(spec_.Height);
        hold.sideClearance = UnitMillimetres(spec_.SideClearance);
        hold.gap = UnitMillimetres(spec_.UnitGap);
        if (spec_.Payload) {
            hold.payload = std::max(0.0, static_cast<double>(*spec_.Payload - roundMass));
        }
        hold.obstacles = std::move(obstacles);

        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        if (elapsed >= options_.dense.timeLimitSeconds) {
            plan_.timeLimitReached = true;
            return false;
        }
        dense::SearchLimits limits;
        limits.stepBudget = options_.dense.stepBudget;
        limits.timeCapSeconds = options_.dense.timeLimitSeconds - elapsed;
        SearchWatch watch;
        limits.cancelled = [this, &watch] {
            if (options_.dense.cancelled && options_.dense.cancelled()) {
                watch.cancelledByUser = true;
                return true;
            }
            return ++watch.polls > kStalledPolls;
        };
        const double done =
            total_ > 0 ? static_cast<double>(total_ - Remaining()) / static_cast<double>(total_)
                       : 0;
        limits.progress = [this, &watch, done](double p) {
            watch.polls = 0;
            if (options_.dense.progress) {
                options_.dense.progress(done + (1 - done) * p);
            }
        };
        const dense::PackResult packed = dense::PackOne(hold, kinds, limits);
        if (packed.cancelled && watch.cancelledByUser) {
            throw RunCancelled{};
        }
        plan_.timeLimitReached = plan_.timeLimitReached || packed.timeCapReached;
        for (const dense::PlacedBox& box : packed.boxes) {
            const int line = kinds[static_cast<std::size_t>(box.kind)].id;
            plan_.boxes.push_back({line, container, box.x, box.y, box.z, box.size});
            left_[static_cast<std::size_t>(line)] -= 1;
        }
        return !packed.boxes.empty();
    }

    const Container& spec_;
    const RunOptions& options_;
    std::chrono::steady_clock::time_point start_;
    DensePlan plan_;
    std::vector<int> left_;  // units of each line without a place yet
    std::int64_t total_ = 0;
    int current_ = 1;
};

}  // namespace

long double UnitVolume(const CargoType& type) {
    const long double l = type.Length;
    if (type.IsRectangular) {
        return l * type.Width * type.Height;
    }
    return std::numbers::pi_v<long double> * l * l / 4 * type.Height;
}

DensePlan MakeDensePlan(const Container& spec, std::vector<DenseLine> lines,
                        const RunOptions& options) {
    return DenseSearch(spec, std::move(lines), options).Run();
}

}  // namespace stowbel
