#include "calc/container_weight.h"

#include <cmath>

#include "order/rounding.h"

namespace stowbel {

namespace {

struct Moments {
    long double mass = 0;
    long double x = 0;  // mass-weighted sums of the centres
    long double y = 0;
    long double z = 0;
    bool complete = true;  // every stack's mass is known
    bool heightKnown = true;
};

std::string Kilograms(long double kg, const NumberFormat& format) {
    return FormatGeneral(static_cast<double>(Round(kg)), format) + " кг";
}

}  // namespace

FloorPoint StackCentre(const PlacedStack& stack) {
    switch (stack.shape) {
        case StackShape::Rectangular:
            return {(static_cast<long double>(stack.x1) + stack.x2) / 2,
                    (static_cast<long double>(stack.y1) + stack.y2) / 2};
        case StackShape::Round:
            return {stack.x, stack.y};
        case StackShape::RoundLying:
            return {stack.x, stack.y + static_cast<long double>(stack.count) * stack.length / 2};
    }
    return {};
}

std::optional<long double> StackCentreHeight(const PlacedStack& stack,
                                             std::optional<double> containerHeight) {
    if (stack.shape == StackShape::RoundLying) {
        if (!containerHeight) {
            return std::nullopt;
        }
        return static_cast<long double>(*containerHeight) - stack.z;
    }
    return stack.base + static_cast<long double>(stack.count) * stack.unitHeight / 2;
}

std::vector<ContainerWeight> WeighContainers(const std::vector<PlacedStack>& stacks, int containers,
                                             std::optional<double> payload,
                                             std::optional<double> containerHeight) {
    std::vector<Moments> moments(static_cast<std::size_t>(std::max(containers, 0)));
    for (const PlacedStack& stack : stacks) {
        if (stack.container < 1 || stack.container > containers) {
            continue;
        }
        Moments& m = moments[static_cast<std::size_t>(stack.container - 1)];
        if (!stack.mass) {
            m.complete = false;
            continue;
        }
        const FloorPoint centre = StackCentre(stack);
        const long double mass = *stack.mass;
        m.mass += mass;
        m.x += mass * centre.x;
        m.y += mass * centre.y;
        if (const std::optional<long double> height = StackCentreHeight(stack, containerHeight)) {
            m.z += mass * *height;
        } else {
            m.heightKnown = false;
        }
    }
    std::vector<ContainerWeight> loads;
    loads.reserve(moments.size());
    for (std::size_t i = 0; i < moments.size(); ++i) {
        const Moments& m = moments[i];
        ContainerWeight load;
        load.container = static_cast<int>(i + 1);
        load.payload = payload;
        if (m.complete) {
            load.mass = static_cast<double>(m.mass);
            if (m.mass > 0) {
                load.cogX = static_cast<double>(m.x / m.mass);
                load.cogY = static_cast<double>(m.y / m.mass);
                if (m.heightKnown) {
                    load.cogZ = static_cast<double>(m.z / m.mass);
                }
            }
        }
        loads.push_back(load);
    }
    return loads;
}

std::string ContainerWeightLine(const ContainerWeight& load, double containerWidth,
                                const NumberFormat& format) {
    const long double mass = load.mass.value_or(0);
    std::string line = "Конт. " + FormatInteger(load.container) + ": " + Kilograms(mass, format);
    if (load.payload && *load.payload > 0) {
        const long double share = Round(100 * mass / static_cast<long double>(*load.payload));
        line += " (" + FormatInteger(SaturateTo<long long>(share)) + " % от " +
                Kilograms(*load.payload, format) + ")";
    }
    if (!load.cogX || !load.cogY) {
        return line;
    }
    line += ", центр тяжести " + FormatM1(*load.cogX, format) + " м от начала, ";
    const long double offset = static_cast<long double>(*load.cogY) - containerWidth / 2.0L;
    const std::string metres = FormatM2(std::fabs(offset), format);
    if (Round(std::fabs(offset) / 10) == 0) {
        return line + "по середине поперёк";
    }
    return line + metres + " м от середины поперёк " +
           (offset < 0 ? "к первому борту" : "ко второму борту");
}

}  // namespace stowbel
