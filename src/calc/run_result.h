#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace stowbel {

enum class StackShape { Square, Round, RoundLying };

// One placed floor position, in millimetres from the front wall (x) and the first side wall (y)
// of its container.
struct PlacedStack {
    int line = 0;       // 0-based index of the cargo line in the order text
    int container = 1;  // 1-based, in the order the run began them
    StackShape shape = StackShape::Square;
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Square: floor rectangle in whole mm
    double x = 0, y = 0, d = 0;                   // Round: centre and diameter
    double z = 0;                                 // RoundLying: axis depth below the ceiling
    double length = 0;                            // RoundLying: length of one unit on its axis
    double height = 0;                            // Square and Round: height of one unit
    int count = 0;                                // units in the stack
};

// What a run produced besides its drawing. On an order error the run stops and leaves here what
// it made before the faulty line.
struct RunResult {
    std::vector<std::string> report;
    int containers = 0;  // containers the run used
    int placed = 0;      // units placed
    std::vector<PlacedStack> stacks;
    bool calculated = false;  // false when the order had no container line
};

}  // namespace stowbel
