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
    double Width = 0;          // Wc
    double Length = 0;         // Lc
    double Height = 0;         // Hc
    double SideClearance = 0;  // c
    double UnitGap = 0;        // g
    bool HMAN = false;         // how many containers the load needs
    bool IDBL = false;         // continuation for the first two types only
    // The most each container may carry, kg; orders without it are planned by space alone.
    std::optional<double> Payload;
};

struct CargoType {
    double Width = 0;
    double Length = 0;  // the diameter of a round unit
    double Height = 0;
    bool IsSquare = false;
    bool H_ROTATE = false;
    bool V_ROTATE = false;
    std::uint16_t QTY = 0;
    std::optional<double> UnitMass;  // gross mass of one unit, kg, when the order gives it
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

// The values of one calculation run, shared by the run and the placements.
struct RunState {
    std::int32_t TypeIndex = 0;
    std::int32_t TypeCount = 0;
    std::int32_t ColourIndex = 0;
    double UsedLength = 0;
    double TypeLength = 0;
    double OnEndLength = 0;
    double FitDetail = 0;
    std::int32_t UnitsLeft = 0;
    std::int32_t PlacedTotal = 0;
    // Where the current container lies in the pictures is the drawing's own business
    // (SchemeGeometry): the calculation knows no pixels.
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
