#include "calc/run.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

#include "calc/container_weight.h"
#include "calc/payload_budget.h"
#include "calc/placement.h"
#include "calc/report.h"
#include "calc/work_limits.h"
#include "order/errors.h"
#include "order/parser.h"

namespace stowbel {

namespace {

// Passes every event on and keeps the placed stacks as data.
class ResultRecorder : public PlacementObserver {
public:
    ResultRecorder(PlacementObserver& next, RunResult& result, const RunState& state)
        : next_(next), result_(result), state_(state) {}

    int line = 0;
    int container = 1;
    std::optional<double> unitMass;  // of the type being placed

    void RunPrepared(const Container& spec) override {
        containerHeight_ = spec.Height;
        next_.RunPrepared(spec);
    }
    void TypeColourSet(Colour colour) override { next_.TypeColourSet(colour); }
    void ContainerBegun(int number) override { next_.ContainerBegun(number); }
    void StackPlaced(const StackEvent& stack) override {
        PlacedStack placed = Base(StackShape::Rectangular, stack.count);
        placed.x1 = stack.x1;
        placed.y1 = stack.y1;
        placed.x2 = stack.x2;
        placed.y2 = stack.y2;
        placed.across = stack.block != StackBlock::A;
        placed.unitHeight = stack.unitHeight;
        result_.stacks.push_back(placed);
        next_.StackPlaced(stack);
    }
    void RoundPlaced(const RoundEvent& unit) override {
        PlacedStack placed = Base(StackShape::Round, unit.count);
        placed.x = static_cast<double>(unit.x);
        placed.y = static_cast<double>(unit.y);
        placed.d = unit.diameter;
        placed.unitHeight = unit.unitHeight;
        result_.stacks.push_back(placed);
        next_.RoundPlaced(unit);
    }
    void LyingRoundPlaced(const LyingRoundEvent& unit) override {
        PlacedStack placed = Base(StackShape::RoundLying, unit.count);
        placed.x = static_cast<double>(unit.x);
        placed.y = static_cast<double>(unit.y);
        placed.z = static_cast<double>(unit.z);
        placed.d = unit.diameter;
        placed.length = unit.axisLength;
        placed.base = std::max(0.0, containerHeight_ - placed.z - placed.d / 2);
        result_.stacks.push_back(placed);
        next_.LyingRoundPlaced(unit);
    }
    void ContainerWeighed(const ContainerWeight& load) override { next_.ContainerWeighed(load); }
    void ReportComplete(const std::vector<std::string>& lines) override {
        next_.ReportComplete(lines);
    }

private:
    PlacedStack Base(StackShape shape, int count) const {
        PlacedStack placed;
        placed.line = line;
        placed.container = container;
        placed.shape = shape;
        placed.count = count;
        placed.type = state_.TypeCount;
        placed.colourIndex = state_.ColourIndex;
        placed.onEnd = state_.OnEndLength > 0;
        if (unitMass) {
            placed.mass = *unitMass * count;
        }
        return placed;
    }

    PlacementObserver& next_;
    RunResult& result_;
    const RunState& state_;
    double containerHeight_ = 0;
};

struct PayloadStop {
    int container = 1;
    int placed = 0;
    int offered = 0;
};

class Run {
public:
    Run(const std::vector<std::string>& lines, OrderModel& model, const RunOptions& options,
        PlacementObserver& observer, RunResult& result)
        : lines_(lines),
          model_(model),
          options_(options),
          recorder_(observer, result, state_),
          result_(result),
          context_{model.container, cargo_, state_, options.alternate, recorder_, budget_} {}

    void Execute();

private:
    const Container& Spec() const { return model_.container; }
    CargoType& Type() { return cargo_[static_cast<std::size_t>(state_.TypeIndex)]; }
    void AddLine(std::string line) { result_.report.push_back(std::move(line)); }
    // Places the units left; true when every one found a place.
    bool Place();
    // Returns false when the loop over the cargo lines ends with this type.
    bool ProcessType(std::size_t index, std::string_view text);
    bool CarryOver(std::string& start);
    // The current container is left: its load is measured and, with a payload, shown.
    void LeaveContainer();
    // The report never names a place past the container: the start of a segment, and the end of
    // a type whose units all found a place, are printed as at most the container length. The
    // length search ends 10 mm past the length that holds the quantity and counts rows narrower
    // than the placement lays, so a type that fitted may need a length beyond the end. A type
    // with units left shows the length it would need; UsedLength itself never changes.
    long double ReportedLength(long double millimetres) const {
        return std::min<long double>(millimetres, Spec().Length);
    }
    double ReportedEnd(bool everyUnitPlaced) const {
        return everyUnitPlaced ? static_cast<double>(ReportedLength(state_.UsedLength))
                               : state_.UsedLength;
    }
    void AddSummary();

    const std::vector<std::string>& lines_;
    OrderModel& model_;
    const RunOptions& options_;
    ResultRecorder recorder_;
    RunResult& result_;
    RunState state_;
    // The run's own cargo entries: the placements exchange the sizes of a type stood on end and
    // the run sets a remainder as its quantity, while the caller's model keeps the order as read.
    CargoTable cargo_;
    PayloadBudget budget_;
    PlacementContext context_;
    bool everyUnitPlaced_ = true;
    // Where the payload stopped the current type: the container and the units it took there.
    std::vector<PayloadStop> payloadStops_;
    WorkTotals totals_;
};

void Run::Execute() {
    std::size_t first = 0;
    while (first < lines_.size() && StripComment(lines_[first]).empty()) {
        ++first;
    }
    if (first == lines_.size()) {
        return;  // nothing to calculate: nothing changes
    }
    ParseContainerLine(StripComment(lines_[first]), static_cast<int>(first), options_.format,
                       model_.container);
    state_.UsedLength = 0;
    budget_ = PayloadBudget(Spec().Payload);
    budget_.BeginContainer();
    recorder_.RunPrepared(Spec());
    state_.ColourIndex = 0;
    result_ = RunResult{};
    result_.calculated = true;
    state_.TypeCount = 0;
    state_.PlacedTotal = 0;

    for (std::size_t i = first + 1; i < lines_.size(); ++i) {
        const std::string_view text = StripComment(lines_[i]);
        if (text.empty()) {
            continue;
        }
        if (!ProcessType(i, text)) {
            break;
        }
    }
    if (result_.containers > 0) {
        LeaveContainer();
    }
    AddSummary();
    recorder_.ReportComplete(result_.report);
}

bool Run::Place() {
    const int before = state_.UnitsLeft;
    const bool fullBefore = budget_.Full();
    PlaceCargoType(context_);
    state_.PlacedTotal += before - state_.UnitsLeft;
    result_.placed = state_.PlacedTotal;
    if (state_.UnitsLeft > 0 && budget_.Full() && !fullBefore) {
        payloadStops_.push_back({result_.containers, before - state_.UnitsLeft, before});
    } else if (state_.UnitsLeft > 0 && fullBefore) {
        payloadStops_.push_back({result_.containers, 0, before});
    }
    return state_.UnitsLeft == 0;
}

bool Run::ProcessType(std::size_t index, std::string_view text) {
    const Container& spec = Spec();
    state_.TypeCount += 1;
    state_.TypeIndex = static_cast<std::int32_t>(index);
    recorder_.line = state_.TypeIndex;
    ParseCargoLine(text, state_.TypeIndex, options_.format, model_.cargo);
    cargo_[index] = model_.cargo.at(index);
    CheckWorkLimits(spec, Type(), state_.TypeIndex, totals_);
    RequireUnitMass(spec, Type(), state_.TypeIndex);
    recorder_.unitMass = Type().UnitMass;
    budget_.BeginType(Type().UnitMass);
    payloadStops_.clear();
    if (result_.containers == 0) {
        result_.containers = 1;
    }
    if (!(spec.ContinueFirstTwoOnly && state_.TypeCount > 2)) {
        AddLine(OrderLine(state_.TypeCount, state_.ColourIndex, Type(), options_.format));
    }
    const Colour colour = CargoPalette::Entry(state_.ColourIndex).colour;
    recorder_.TypeColourSet(colour);
    state_.UnitsLeft = Type().Quantity;
    const bool startedEmpty = state_.UsedLength == 0;
    bool fits = Place();

    std::string start;
    const bool placedNothing = state_.UnitsLeft == Type().Quantity;
    // A type that found no place in an empty container fits no container.
    if (!fits && !(startedEmpty && placedNothing)) {
        if (!CarryOver(start)) {
            everyUnitPlaced_ = false;
            return false;
        }
        fits = state_.UnitsLeft == 0;
    }
    if (!fits) {
        everyUnitPlaced_ = false;
    }

    if (state_.UsedLength == state_.TypeLength) {
        start += StartFromFrontWall();
    } else {
        start +=
            StartAt(ReportedLength(static_cast<long double>(state_.UsedLength) - state_.TypeLength),
                    options_.format);
    }
    const CargoType& type = Type();
    const RowTexts rows = MakeRowTexts(spec, type, state_.FitDetail);
    if (type.IsRectangular) {
        AddLine(RectangularLayingLine(start, ReportedEnd(fits), rows, options_.format));
    } else {
        AddLine(RoundLayingLine(state_.TypeCount, state_.ColourIndex, type, start,
                                ReportedEnd(fits), state_.FitDetail, rows.high, options_.format));
    }
    if (state_.OnEndLength > 0) {
        AddLine(kOnEndLine);
    }
    for (const PayloadStop& stop : payloadStops_) {
        AddLine(PayloadLimitLine(stop.container, stop.placed, stop.offered));
    }
    state_.ColourIndex = (state_.ColourIndex + 1) % CargoPalette::kSize;
    return fits;
}

// Moves the rest of the current type into next containers as the mode allows. Returns false
// when the loop over the cargo lines ends here without the type's laying lines.
bool Run::CarryOver(std::string& start) {
    const Container& spec = Spec();
    const bool mayContinue =
        spec.HowManyContainers || (spec.ContinueFirstTwoOnly && state_.TypeCount <= 2);
    bool firstContainer = true;
    while (mayContinue && state_.UnitsLeft > 0) {
        start += firstContainer
                     ? ContinuesFrom(ReportedLength(static_cast<long double>(state_.UsedLength) -
                                                    state_.TypeLength),
                                     options_.format)
                     : FillsWholeContainer();
        Type().Quantity = static_cast<std::uint16_t>(state_.UnitsLeft);
        if (spec.ContinueFirstTwoOnly && state_.TypeCount == 3) {
            return false;
        }
        LeaveContainer();
        state_.UsedLength = 0;
        budget_.BeginContainer();
        result_.containers += 1;
        recorder_.container = result_.containers;
        recorder_.ContainerBegun(result_.containers);
        recorder_.TypeColourSet(CargoPalette::Entry(state_.ColourIndex).colour);
        const int before = state_.UnitsLeft;
        Place();
        firstContainer = false;
        // Without HMAN a type goes on once; with it, as long as a container takes something.
        if (!spec.HowManyContainers || state_.UnitsLeft == before) {
            break;
        }
    }
    return true;
}

void Run::LeaveContainer() {
    if (!Spec().Payload) {
        return;
    }
    const std::vector<ContainerWeight> loads =
        WeighContainers(result_.stacks, result_.containers, Spec().Payload, Spec().Height);
    recorder_.ContainerWeighed(loads.back());
}

void Run::AddSummary() {
    if (everyUnitPlaced_) {
        AddLine(AllFitLine(result_.containers,
                           static_cast<long double>(Spec().Length) - state_.UsedLength,
                           options_.format));
    } else {
        AddLine(NotAllFitLine(state_.PlacedTotal));
    }
    result_.weights =
        WeighContainers(result_.stacks, result_.containers, Spec().Payload, Spec().Height);
    if (Spec().Payload) {
        for (const ContainerWeight& load : result_.weights) {
            AddLine(ContainerWeightLine(load, Spec().Width, options_.format));
        }
    }
}

}  // namespace

void RunCalculation(const std::vector<std::string>& lines, OrderModel& model,
                    const RunOptions& options, PlacementObserver& observer, RunResult& result) {
    Run(lines, model, options, observer, result).Execute();
}

}  // namespace stowbel
