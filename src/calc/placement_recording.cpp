#include "calc/placement_recording.h"

namespace stowbel {

namespace {

template <typename... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
// Spelled out for compilers without deduction for aggregates.
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace

void PlacementRecording::Replay(PlacementObserver& observer) const {
    const auto tell = Overloaded{
        [&](const Prepared& prepared) { observer.RunPrepared(prepared.container); },
        [&](const MethodSet& set) { observer.MethodChosen(set.method); },
        [&](const ColourSet& set) { observer.TypeColourSet(set.colour); },
        [&](const NextContainer& next) { observer.ContainerBegun(next.number); },
        [&](const StackEvent& stack) { observer.StackPlaced(stack); },
        [&](const RoundEvent& unit) { observer.RoundPlaced(unit); },
        [&](const LyingRoundEvent& unit) { observer.LyingRoundPlaced(unit); },
        [&](const ContainerWeight& weight) { observer.ContainerWeighed(weight); },
        [&](const Report& report) { observer.ReportComplete(report.lines); },
    };
    for (const Event& event : events_) {
        std::visit(tell, event);
    }
}

}  // namespace stowbel
