#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <tuple>

#include "calc/container_weight.h"
#include "calc/dense_plan.h"
#include "calc/dense_report.h"
#include "calc/report.h"

namespace stowbel {

namespace {

// A column of identical units of one line standing directly on one another.
struct Column {
    int line = 0;  // index into the plan's lines
    int container = 1;
    std::int64_t x = 0, y = 0, z = 0;
    dense::Extent size;
    int count = 0;

    std::int64_t Top() const { return z + count * size.height; }
};

// A box in front of another (nearer the front wall) whose across-and-up outline overlaps it:
// the loader puts it in first.
bool InFrontOf(const Column& front, const DenseBox& box) {
    return front.container == box.container && front.x + front.size.along <= box.x &&
           front.y < box.y + box.size.across && box.y < front.y + front.size.across &&
           front.z < box.z + box.size.height && box.z < front.Top();
}

// Gathers boxes into columns. A box joins the column it stands on when it is of the same line,
// footprint and orientation, and when nothing loaded after that column has to go in before the
// box, so that the columns keep a loading order.
std::vector<Column> GatherColumns(const std::vector<DenseBox>& boxes) {
    using Key = std::tuple<int, int, std::int64_t, std::int64_t, std::int64_t, std::int64_t,
                           std::int64_t, std::int64_t>;
    std::vector<Column> columns;
    std::map<Key, std::size_t> byTop;
    for (const DenseBox& box : boxes) {
        const Key key{box.container, box.line,       box.x,           box.y,
                      box.z,         box.size.along, box.size.across, box.size.height};
        const auto found = byTop.find(key);
        bool joined = false;
        if (found != byTop.end()) {
            const std::size_t s = found->second;
            const bool blocked =
                std::any_of(columns.begin() + static_cast<std::ptrdiff_t>(s) + 1, columns.end(),
                            [&](const Column& c) { return InFrontOf(c, box); });
            if (!blocked) {
                Column& column = columns[s];
                column.count += 1;
                byTop.erase(found);
                byTop[{box.container, box.line, box.x, box.y, column.Top(), box.size.along,
                       box.size.across, box.size.height}] = s;
                joined = true;
            }
        }
        if (!joined) {
            columns.push_back({box.line, box.container, box.x, box.y, box.z, box.size, 1});
            byTop[{box.container, box.line, box.x, box.y, columns.back().Top(), box.size.along,
                   box.size.across, box.size.height}] = columns.size() - 1;
        }
    }
    return columns;
}

int RoundCount(const DenseRound& round) {
    return std::visit([](const auto& e) { return e.count; }, round.event);
}

class Emitter {
public:
    Emitter(const DensePlan& plan, const Container& spec, const RunOptions& options,
            PlacementObserver& observer, RunResult& result)
        : plan_(plan),
          spec_(spec),
          options_(options),
          observer_(observer),
          result_(result),
          columns_(GatherColumns(plan.boxes)) {}

    void Emit() {
        result_ = RunResult{};
        result_.calculated = true;
        result_.method = PlanMethod::Dense;
        result_.containers = plan_.containers;
        observer_.RunPrepared(spec_);
        observer_.MethodChosen(PlanMethod::Dense);
        std::vector<StackEvent> boxEvents;
        for (int c = 1; c <= plan_.containers; ++c) {
            if (c > 1) {
                observer_.ContainerBegun(c);
                colour_.reset();
            }
            for (const DenseRound& round : plan_.rounds) {
                if (round.container == c) {
                    EmitRound(round);
                }
            }
            for (const Column& column : columns_) {
                if (column.container == c) {
                    EmitColumn(column);
                }
            }
            if (spec_.Payload) {
                observer_.ContainerWeighed(
                    WeighContainers(result_.stacks, c, spec_.Payload, spec_.Height).back());
            }
        }
        result_.weights =
            WeighContainers(result_.stacks, result_.containers, spec_.Payload, spec_.Height);
        WriteReport();
        observer_.ReportComplete(result_.report);
    }

private:
    const DenseLine& Line(int index) const { return plan_.lines[static_cast<std::size_t>(index)]; }
    void SetColour(const DenseLine& line) {
        if (colour_ != line.colourIndex) {
            colour_ = line.colourIndex;
            observer_.TypeColourSet(CargoPalette::Entry(line.colourIndex).colour);
        }
    }
    PlacedStack Base(const DenseLine& line, int container, StackShape shape, int count) const {
        PlacedStack placed;
        placed.line = line.index;
        placed.container = container;
        placed.shape = shape;
        placed.count = count;
        placed.type = line.typeCount;
        placed.colourIndex = line.colourIndex;
        if (line.type.UnitMass) {
            placed.mass = *line.type.UnitMass * count;
        }
        placed.loadLimit = line.type.LoadLimit;
        return placed;
    }

    void EmitRound(const DenseRound& round) {
        const DenseLine& line = Line(round.line);
        SetColour(line);
        if (const auto* standing = std::get_if<RoundEvent>(&round.event)) {
            PlacedStack placed = Base(line, round.container, StackShape::Round, standing->count);
            placed.x = static_cast<double>(standing->x);
            placed.y = static_cast<double>(standing->y);
            placed.d = standing->diameter;
            placed.unitHeight = standing->unitHeight;
            result_.stacks.push_back(placed);
            observer_.RoundPlaced(*standing);
        } else {
            const auto& lying = std::get<LyingRoundEvent>(round.event);
            PlacedStack placed = Base(line, round.container, StackShape::RoundLying, lying.count);
            placed.x = static_cast<double>(lying.x);
            placed.y = static_cast<double>(lying.y);
            placed.z = static_cast<double>(lying.z);
            placed.d = lying.diameter;
            placed.length = lying.axisLength;
            placed.onEnd = true;
            placed.base = std::max(0.0, spec_.Height - placed.z - placed.d / 2);
            result_.stacks.push_back(placed);
            observer_.LyingRoundPlaced(lying);
        }
        result_.placed += RoundCount(round);
    }

    void EmitColumn(const Column& column) {
        const DenseLine& line = Line(column.line);
        SetColour(line);
        const CargoType& type = line.type;
        StackEvent stack;
        stack.typeCount = line.typeCount;
        stack.x1 = static_cast<std::int32_t>(column.x);
        stack.y1 = static_cast<std::int32_t>(column.y);
        stack.x2 = static_cast<std::int32_t>(column.x + column.size.along);
        stack.y2 = static_cast<std::int32_t>(column.y + column.size.across);
        stack.unitHeight = static_cast<double>(column.size.height);
        stack.count = column.count;
        // The length lies across when the unit's across size is its length and its along size
        // is not.
        const std::int64_t length = static_cast<std::int64_t>(std::ceil(type.Length - 1e-9));
        const bool across = column.size.across == length && column.size.along != length;
        stack.block = across ? StackBlock::B : StackBlock::A;
        stack.labelled = column.count > 1;
        stack.labelX = (static_cast<long double>(stack.x1) + stack.x2) / 2;
        stack.labelY = (static_cast<long double>(stack.y1) + stack.y2) / 2;
        stack.base = static_cast<double>(column.z);

        PlacedStack placed = Base(line, column.container, StackShape::Rectangular, column.count);
        placed.x1 = stack.x1;
        placed.y1 = stack.y1;
        placed.x2 = stack.x2;
        placed.y2 = stack.y2;
        placed.across = across;
        placed.onEnd =
            column.size.height != static_cast<std::int64_t>(std::ceil(type.Height - 1e-9));
        placed.unitHeight = stack.unitHeight;
        placed.base = stack.base;
        result_.stacks.push_back(placed);
        result_.placed += column.count;
        observer_.StackPlaced(stack);
    }

    // Units on the floor and on cargo of one stack.
    static std::pair<int, int> FloorAndCargo(const PlacedStack& stack) {
        if (stack.shape == StackShape::RoundLying) {
            // End to end on one axis; the lowest axes rest on the floor (less half a gap).
            return stack.base < stack.d / 2 ? std::pair{stack.count, 0} : std::pair{0, stack.count};
        }
        if (stack.base > 0) {
            return {0, stack.count};
        }
        return {1, stack.count - 1};
    }

    void WriteReport() {
        const NumberFormat& format = options_.format;
        std::vector<std::vector<LineShare>> shares(plan_.lines.size());
        std::map<int, std::size_t> lineOf;  // order line index -> plan line
        for (std::size_t i = 0; i < plan_.lines.size(); ++i) {
            lineOf[plan_.lines[i].index] = i;
            for (int c = 1; c <= plan_.containers; ++c) {
                shares[i].push_back({c, 0, 0});
            }
        }
        std::vector<long double> volume(static_cast<std::size_t>(plan_.containers), 0);
        std::vector<long double> floor(static_cast<std::size_t>(plan_.containers), 0);
        std::vector<long double> reach(static_cast<std::size_t>(plan_.containers), 0);
        for (const PlacedStack& stack : result_.stacks) {
            const std::size_t line = lineOf.at(stack.line);
            const std::size_t c = static_cast<std::size_t>(stack.container - 1);
            const auto [onFloor, onCargo] = FloorAndCargo(stack);
            shares[line][c].onFloor += onFloor;
            shares[line][c].onCargo += onCargo;
            volume[c] += stack.count * UnitVolume(plan_.lines[line].type);
            const long double r = stack.d / 2;
            switch (stack.shape) {
                case StackShape::Rectangular:
                    if (stack.base == 0) {
                        floor[c] +=
                            static_cast<long double>(stack.x2 - stack.x1) * (stack.y2 - stack.y1);
                    }
                    reach[c] = std::max<long double>(reach[c], stack.x2);
                    break;
                case StackShape::Round:
                    floor[c] += std::numbers::pi_v<long double> * r * r;
                    reach[c] = std::max<long double>(reach[c], stack.x + r);
                    break;
                case StackShape::RoundLying:
                    if (stack.base < stack.d / 2) {
                        floor[c] += stack.d * stack.length * stack.count;
                    }
                    reach[c] = std::max<long double>(reach[c], stack.x + r);
                    break;
            }
        }
        for (std::size_t i = 0; i < plan_.lines.size(); ++i) {
            const DenseLine& line = plan_.lines[i];
            result_.report.push_back(
                OrderLine(line.typeCount, line.colourIndex, line.type, format));
            result_.report.push_back(DensePlacementLine(line.type.Quantity, shares[i]));
        }
        int quantity = 0;
        for (const DenseLine& line : plan_.lines) {
            quantity += line.type.Quantity;
        }
        if (result_.placed == quantity) {
            const long double used = reach.empty() ? 0 : reach.back();
            result_.report.push_back(AllFitLine(result_.containers, spec_.Length - used, format));
        } else {
            result_.report.push_back(NotAllFitLine(result_.placed));
        }
        const long double hold = static_cast<long double>(spec_.Length) * spec_.Width;
        for (std::size_t c = 0; c < volume.size(); ++c) {
            result_.report.push_back(ContainerFillLine(
                static_cast<int>(c + 1), volume[c] / (hold * spec_.Height), floor[c] / hold));
        }
        if (spec_.Payload) {
            for (const ContainerWeight& load : result_.weights) {
                result_.report.push_back(ContainerWeightLine(load, spec_.Width, format));
            }
        }
        if (plan_.timeLimitReached) {
            result_.report.push_back(TimeLimitLine(options_.dense.timeLimitSeconds, format));
        }
    }

    const DensePlan& plan_;
    const Container& spec_;
    const RunOptions& options_;
    PlacementObserver& observer_;
    RunResult& result_;
    std::vector<Column> columns_;
    std::optional<int> colour_;
};

}  // namespace

void EmitDensePlan(const DensePlan& plan, const Container& spec, const RunOptions& options,
                   PlacementObserver& observer, RunResult& result) {
    Emitter(plan, spec, options, observer, result).Emit();
}

}  // namespace stowbel
