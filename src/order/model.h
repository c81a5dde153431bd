#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stowbel {

// Lengths are millimetres. x runs along the container from its front wall, y across it from
// the first side wall, z downward from the ceiling.

struct Container {
    double Width = 0;          // inner width, across the loading direction
    double Length = 0;         // inner length, the loading direction
    double Height = 0;         // inner height
    double SideClearance = 0;  // kept free at each side wall
    double UnitGap = 0;        // kept between neighbouring units
    // Mode "HMAN": how many containers the load needs; a type that does not fit goes on in a
    // next container.
    bool HowManyContainers = false;
    // Mode "IDBL": only the first two types may go on in a next container, and the summary
    // picture keeps room for a second container.
    bool ContinueFirstTwoOnly = false;
    // The most each container may carry, kg; orders without it are planned by space alone.
    std::optional<double> Payload;
};

struct CargoType {
    double Width = 0;
    double Length = 0;  // the diameter of a round unit
    double Height = 0;
    bool IsRectangular = false;  // shape "SQR"; otherwise a round unit (a drum)
    bool MayTurnAcross = false;  // may lie on the floor with its length across the container
    bool MayStandOnEnd = false;  // may stand on its end, length and height exchanged
    std::uint16_t Quantity = 0;
    std::optional<double> UnitMass;  // gross mass of one unit, kg, when the order gives it
    // The most mass, kg, that one unit may carry on top of it ("нагрузка сверху"); 0: nothing may
    // stand on it. Absent: no limit. An order that gives it on any line gives every unit mass.
    std::optional<double> LoadLimit;
    // V_ROTATE "2": may lie on any of its six sides. Dense loading uses all six orientations;
    // the rows read it as may stand on end.
    bool MayLieOnAnySide = false;
};

// Entries are indexed by the line index of the cargo line in the order text. The table grows
// on demand, so an order may have any number of lines.
class CargoTable {
public:
    static constexpr std::size_t kInitialSize = 256;

    CargoTable() : entries_(kInitialSize) {}

    CargoType& operator[](std::size_t index) {
        if (index >= entries_.size()) {
            entries_.resize(index + 1);
        }
        return entries_[index];
    }
    const CargoType& at(std::size_t index) const { return entries_.at(index); }
    std::size_t size() const { return entries_.size(); }

private:
    std::vector<CargoType> entries_;
};

// 24-bit colour, red in bits 0-7, green in 8-15, blue in 16-23.
using Colour = std::uint32_t;

struct PaletteEntry {
    Colour colour;
    std::string_view name;
};

struct CargoPalette {
    static constexpr int kSize = 16;
    static const PaletteEntry& Entry(int index);
};

}  // namespace stowbel
