#pragma once

#include <cstdint>
#include <functional>

namespace stowbel {

// How long dense loading may search. The search is bounded by its steps, so the same order gives
// the same plan on every machine; the time limit only stops a runaway search and is reported.
struct DenseSettings {
    // One step places one block of units into a partial plan; spent per container.
    std::int64_t stepBudget = 120000;
    double timeLimitSeconds = 10;  // for the whole calculation
    // Polled during the search; true ends the calculation with RunCancelled. May be empty.
    std::function<bool()> cancelled;
    // The share of the search done, 0..1, from the calculating thread. May be empty.
    std::function<void(double)> progress;

    static DenseSettings WithTimeLimit(double seconds) {
        DenseSettings settings;
        settings.timeLimitSeconds = seconds;
        return settings;
    }
};

}  // namespace stowbel
