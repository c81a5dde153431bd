#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace stowbel {

enum class StackShape { Rectangular, Round, RoundLying };

// One placed floor position, in millimetres from the front wall (x) and the first side wall (y)
// of its container.
struct PlacedStack {
    int line = 0;       // 0-based index of the cargo line in the order text
    int container = 1;  // 1-based, in the order the run began them
    StackShape shape = StackShape::Rectangular;
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Square: floor rectangle in whole mm
    double x = 0, y = 0, d = 0;                   // Round: centre and diameter
    double z = 0;                                 // RoundLying: axis depth below the ceiling
    double length = 0;                            // RoundLying: length of one unit on its axis
    int count = 0;                                // units in the stack

    // How the units stand, for lists that name the cargo.
    int type = 0;         // the cargo line's number in the run, from 1 ("Заказ n")
    int colourIndex = 0;  // the CargoPalette entry the type is drawn in
    bool across = false;  // Square: laid with its length across the container
    bool onEnd = false;  // the type was stood on its end ("Укладка торцем"); round: lying
    double unitHeight = 0;  // Square, Round: height of one unit as it stands, after any exchange
    std::optional<double> mass;  // kg, when the order gives its unit mass
    // kg one unit may carry on top ("нагрузка сверху"), when the order gives it; 0: not stackable
    std::optional<double> loadLimit;
    double base = 0;  // mm above the floor where its lowest unit stands
};

// What one container carries: its mass and where the mass sits. Masses are kg, positions mm
// from the container's front wall (x) and first side wall (y), like the stacks.
struct ContainerWeight {
    int container = 1;
    std::optional<double> mass;     // unknown when a stack in it has no unit mass
    std::optional<double> payload;  // the order's limit, when it gives one
    std::optional<double> cogX;     // centre of gravity on the floor plan, when mass > 0
    std::optional<double> cogY;
    std::optional<double> cogZ;  // height above the floor, mm
};

// How a plan was made: by the rows (the default) or by dense loading, which may stand units of
// different types on one another.
enum class PlanMethod { Rows, Dense };

// What a run produced besides its drawing. On an order error the run stops and leaves here what
// it made before the faulty line.
struct RunResult {
    std::vector<std::string> report;
    int containers = 0;  // containers the run used
    int placed = 0;      // units placed
    std::vector<PlacedStack> stacks;
    std::vector<ContainerWeight> weights;  // one per container used
    bool calculated = false;               // false when the order had no container line
    PlanMethod method = PlanMethod::Rows;
};

}  // namespace stowbel
