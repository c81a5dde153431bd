#pragma once

// Dense loading: fills containers with boxes of several kinds, any box anywhere, in any allowed
// orientation, boxes of different kinds standing on one another with full support.
//
// Geometry is integer throughout, in units the caller chooses (micrometres or millimetres).
// Axes: x along the container from the front wall, y across from the first side wall, z up from
// the floor. The door is at x = length.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace stowbel::dense {

// One orientation of a box: its sizes along, across and up.
struct Extent {
    std::int64_t along = 0, across = 0, height = 0;
    friend bool operator==(const Extent&, const Extent&) = default;
};

struct BoxKind {
    int id = 0;                        // the caller's identifier (cargo line)
    std::vector<Extent> orientations;  // allowed orientations, distinct, first = preferred
    int quantity = 0;
    std::optional<double> unitMass;   // kg
    std::optional<double> loadLimit;  // most kg one unit may carry (0 = nothing on it)
};

// Occupied from the floor up to height; nothing stands on it. Boxes whose height range reaches
// below `height` keep the hold's gap from it, as from another unit.
struct Obstacle {
    std::int64_t x1 = 0, y1 = 0, x2 = 0, y2 = 0, height = 0;
};

struct Hold {
    std::int64_t length = 0, width = 0, height = 0;
    std::int64_t sideClearance = 0;  // kept free at both side walls
    std::int64_t gap = 0;            // between units whose height ranges overlap
    std::optional<double> payload;   // kg one container carries at most
    std::vector<Obstacle> obstacles;
};

struct SearchLimits {
    // One step is one block of boxes placed into a partial plan, in the search or in one of its
    // quick completions. The search stops when the steps are spent.
    std::int64_t stepBudget = 120000;
    double timeCapSeconds = 10;            // safety stop only; reaching it is reported
    std::function<bool()> cancelled;       // polled; may be empty
    std::function<void(double)> progress;  // 0..1; may be empty
};

struct PlacedBox {
    int kind = 0;  // index into the kinds
    int container = 1;
    std::int64_t x = 0, y = 0, z = 0;
    Extent size;
};

struct PackResult {
    // Container by container, each in loading order: a box comes after every box it stands on
    // and after every box nearer the front wall whose across-and-up outline overlaps its own
    // (that box would be in its way when it is pushed in from the door).
    std::vector<PlacedBox> boxes;
    int containers = 0;
    bool timeCapReached = false, cancelled = false;
    std::int64_t steps = 0;
};

// Fills one container with the most box volume; on equal volume, more boxes of earlier kinds.
PackResult PackOne(const Hold& hold, const std::vector<BoxKind>& kinds, const SearchLimits& limits);

// Every box in as few containers as possible, each container filled before the next. Stops at
// maxContainers; boxes that did not get a place are simply absent from the result.
PackResult PackAll(const Hold& hold, const std::vector<BoxKind>& kinds, const SearchLimits& limits,
                   int maxContainers);

}  // namespace stowbel::dense
