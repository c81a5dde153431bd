#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/run_result.h"
#include "order/model.h"
#include "order/number_format.h"

namespace stowbel {

// The floor-plan centre of a stack: a rectangle's middle, a circle's centre, or the middle of a
// row of lying drums end to end across the container.
struct FloorPoint {
    long double x = 0;
    long double y = 0;
};
FloorPoint StackCentre(const PlacedStack& stack);

// The height above the floor of a stack's centre; for lying drums it needs the container's
// height, as their axis is measured from the ceiling.
std::optional<long double> StackCentreHeight(const PlacedStack& stack,
                                             std::optional<double> containerHeight);

// Mass and centre of gravity of each container 1..containers, from the stacks placed in them.
// The height of the centre is known when the container's height is given or no drum lies.
std::vector<ContainerWeight> WeighContainers(const std::vector<PlacedStack>& stacks, int containers,
                                             std::optional<double> payload,
                                             std::optional<double> containerHeight = std::nullopt);

// "Конт. 1: 18400 кг (69 % от 26500 кг), центр тяжести 7.9 м от начала, 0.05 м от середины
// поперёк к первому борту". A loader and a driver read it: whole kilograms, a whole percentage,
// the centre in metres along (to a tenth) and its offset from the middle across (to a hundredth)
// with the side it leans to.
std::string ContainerWeightLine(const ContainerWeight& load, double containerWidth,
                                const NumberFormat& format);

}  // namespace stowbel
