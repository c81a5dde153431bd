#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "calc/run.h"

namespace stowbel {

// Records the order of events that the run tells the pictures.
class EventLog : public PlacementObserver {
public:
    std::vector<std::string> events;
    std::vector<StackEvent> stacks;

    void RunPrepared(const Container&) override { events.push_back("prepared"); }
    void TypeColourSet(Colour colour) override {
        events.push_back("colour " + std::to_string(colour));
    }
    void ContainerBegun(int number) override {
        events.push_back("container " + std::to_string(number));
    }
    void StackPlaced(const StackEvent& stack) override {
        stacks.push_back(stack);
        events.push_back("stack");
    }
    void RoundPlaced(const RoundEvent&) override { events.push_back("round"); }
    void LyingRoundPlaced(const LyingRoundEvent&) override { events.push_back("lying"); }
    void ContainerWeighed(const ContainerWeight& load) override {
        events.push_back("loaded " + std::to_string(load.container));
    }
    void ReportComplete(const std::vector<std::string>&) override { events.push_back("report"); }
};

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

struct Calculated {
    RunResult result;
    EventLog log;
    OrderModel model;
};

inline Calculated Calculate(const std::string& order, bool alternate = true, char separator = '.') {
    Calculated c;
    RunOptions options;
    options.alternate = alternate;
    options.format.decimalSeparator = separator;
    RunCalculation(Lines(order), c.model, options, c.log, c.result);
    return c;
}

}  // namespace stowbel
