#include "calc/planner.h"

#include "calc/dense_plan.h"
#include "calc/dense_report.h"
#include "calc/work_limits.h"
#include "order/errors.h"
#include "order/parser.h"

namespace stowbel {

namespace {

inline constexpr const char* kRowsBetterLine =
    "Плотная укладка не лучше рядов: показан план рядами.";

// Passes every event on but the report, which the planner completes first.
class ReportHolder : public PlacementObserver {
public:
    explicit ReportHolder(PlacementObserver& next) : next_(next) {}
    void RunPrepared(const Container& spec) override { next_.RunPrepared(spec); }
    void TypeColourSet(Colour colour) override { next_.TypeColourSet(colour); }
    void ContainerBegun(int number) override { next_.ContainerBegun(number); }
    void StackPlaced(const StackEvent& stack) override { next_.StackPlaced(stack); }
    void RoundPlaced(const RoundEvent& unit) override { next_.RoundPlaced(unit); }
    void LyingRoundPlaced(const LyingRoundEvent& unit) override { next_.LyingRoundPlaced(unit); }
    void ContainerWeighed(const ContainerWeight& load) override { next_.ContainerWeighed(load); }

private:
    PlacementObserver& next_;
};

// Reads the whole order as the rows read it, with the same checks. Returns the cargo lines.
std::vector<DenseLine> ReadOrder(const std::vector<std::string>& lines, std::size_t first,
                                 OrderModel& model, const RunOptions& options) {
    ParseContainerLine(StripComment(lines[first]), static_cast<int>(first), options.format,
                       model.container);
    std::vector<DenseLine> cargo;
    WorkTotals totals;
    for (std::size_t i = first + 1; i < lines.size(); ++i) {
        const std::string_view text = StripComment(lines[i]);
        if (text.empty()) {
            continue;
        }
        const int index = static_cast<int>(i);
        ParseCargoLine(text, index, options.format, model.cargo);
        model.cargoLines.push_back(index);
        const CargoType& type = model.cargo.at(i);
        CheckWorkLimits(model.container, type, index, totals);
        RequireUnitMass(model.container, type, index);
        const int typeCount = static_cast<int>(cargo.size()) + 1;
        cargo.push_back({index, typeCount, (typeCount - 1) % CargoPalette::kSize, type});
    }
    return cargo;
}

long double PlanVolume(const RunResult& rows, const OrderModel& model) {
    long double volume = 0;
    for (const PlacedStack& stack : rows.stacks) {
        volume += stack.count * UnitVolume(model.cargo.at(static_cast<std::size_t>(stack.line)));
    }
    return volume;
}

long double PlanVolume(const DensePlan& plan) {
    long double volume = 0;
    for (const DenseBox& box : plan.boxes) {
        volume += UnitVolume(plan.lines[static_cast<std::size_t>(box.line)].type);
    }
    for (const DenseRound& round : plan.rounds) {
        const int count = std::visit([](const auto& e) { return e.count; }, round.event);
        volume += count * UnitVolume(plan.lines[static_cast<std::size_t>(round.line)].type);
    }
    return volume;
}

// More volume first, then fewer containers. Volumes of the same order differ by whole units,
// so a relative allowance only absorbs rounding.
bool RowsBetter(long double rowsVolume, int rowsContainers, long double denseVolume,
                int denseContainers) {
    const long double allowance = 1e-9L * std::max(rowsVolume, denseVolume);
    if (rowsVolume > denseVolume + allowance) {
        return true;
    }
    return rowsVolume >= denseVolume - allowance && rowsContainers < denseContainers;
}

}  // namespace

void RowsPlanner::Plan(const std::vector<std::string>& lines, OrderModel& model,
                       const RunOptions& options, PlacementObserver& observer,
                       RunResult& result) const {
    RunCalculation(lines, model, options, observer, result);
}

void DensePlanner::Plan(const std::vector<std::string>& lines, OrderModel& model,
                        const RunOptions& options, PlacementObserver& observer,
                        RunResult& result) const {
    // The rows first: their plan is the one to beat, and an order error they meet is then
    // raised exactly as they raise it, with what they made before it.
    OrderModel rowsModel;
    RunResult rows;
    PlacementObserver nobody;
    try {
        RunCalculation(lines, rowsModel, options, nobody, rows);
    } catch (const OrderError&) {
        RunCalculation(lines, model, options, observer, result);
        throw;
    }
    if (!rows.calculated) {
        return;  // nothing to calculate: nothing changes
    }
    std::size_t first = 0;
    while (StripComment(lines[first]).empty()) {
        ++first;
    }
    std::vector<DenseLine> cargo;
    try {
        // Dense loading reads every line, also those after one the rows could not place.
        cargo = ReadOrder(lines, first, model, options);
    } catch (const OrderError&) {
        result = RunResult{};
        result.calculated = true;
        result.method = PlanMethod::Dense;
        observer.RunPrepared(model.container);
        throw;
    }
    DensePlan plan = MakeDensePlan(model.container, std::move(cargo), options);
    if (!plan.lines.empty()) {
        plan.containers = std::max(plan.containers, 1);
    }
    if (RowsBetter(PlanVolume(rows, rowsModel), rows.containers, PlanVolume(plan),
                   plan.containers)) {
        ReportHolder holder(observer);
        model = OrderModel{};  // the rows read the order into it afresh
        RunCalculation(lines, model, options, holder, result);
        result.report.push_back(kRowsBetterLine);
        if (plan.timeLimitReached) {
            result.report.push_back(TimeLimitLine(options.dense.timeLimitSeconds, options.format));
        }
        observer.ReportComplete(result.report);
        return;
    }
    EmitDensePlan(plan, model.container, options, observer, result);
}

void PlanCalculation(const std::vector<std::string>& lines, OrderModel& model,
                     const RunOptions& options, PlacementObserver& observer, RunResult& result) {
    if (options.method == PlanMethod::Dense) {
        DensePlanner().Plan(lines, model, options, observer, result);
    } else {
        RowsPlanner().Plan(lines, model, options, observer, result);
    }
}

}  // namespace stowbel
