#pragma once

#include <string>
#include <variant>
#include <vector>

#include "calc/placement_observer.h"

namespace stowbel {

// Keeps what a run tells its observer, in order, so that the drawing can happen later and more
// than once: each picture of a run can then be drawn on its own thread from the same run.
class PlacementRecording : public PlacementObserver {
public:
    void RunPrepared(const Container& container) override {
        events_.emplace_back(Prepared{container});
    }
    void MethodChosen(PlanMethod method) override { events_.emplace_back(MethodSet{method}); }
    void TypeColourSet(Colour colour) override { events_.emplace_back(ColourSet{colour}); }
    void ContainerBegun(int number) override { events_.emplace_back(NextContainer{number}); }
    void StackPlaced(const StackEvent& stack) override { events_.emplace_back(stack); }
    void RoundPlaced(const RoundEvent& unit) override { events_.emplace_back(unit); }
    void LyingRoundPlaced(const LyingRoundEvent& unit) override { events_.emplace_back(unit); }
    void ContainerWeighed(const ContainerWeight& weight) override { events_.emplace_back(weight); }
    void ReportComplete(const std::vector<std::string>& lines) override {
        events_.emplace_back(Report{lines});
    }

    // Tells observer everything recorded, in the order the run told it.
    void Replay(PlacementObserver& observer) const;

    bool Empty() const { return events_.empty(); }

private:
    struct Prepared {
        Container container;
    };
    struct MethodSet {
        PlanMethod method;
    };
    struct ColourSet {
        Colour colour;
    };
    struct NextContainer {
        int number;
    };
    struct Report {
        std::vector<std::string> lines;
    };
    using Event = std::variant<Prepared, MethodSet, ColourSet, NextContainer, StackEvent,
                               RoundEvent, LyingRoundEvent, ContainerWeight, Report>;

    std::vector<Event> events_;
};

}  // namespace stowbel
