#pragma once

#include <cstdint>

namespace stowbel {

// The values of one calculation run, shared by the run and the placements. It lives for one run.
struct RunState {
    std::int32_t TypeIndex = 0;
    std::int32_t TypeCount = 0;
    std::int32_t ColourIndex = 0;
    double UsedLength = 0;
    double TypeLength = 0;
    double OnEndLength = 0;
    // How the rows of the current type lie, as its fit found them.
    double UnitsPerRow = 0;  // rectangular: units side by side in a row laid along the container
    double RowAngle = 0;     // round: angle in radians between adjacent staggered rows
    // The figure of the last fit that counted anything, whichever shape its type had: a type
    // whose own fit counts nothing (it fits nowhere) is reported with it.
    double LastRowFigure = 0;
    std::int32_t UnitsLeft = 0;
    std::int32_t PlacedTotal = 0;
    // Where the current container lies in the pictures is the drawing's own business
    // (SchemeGeometry): the calculation knows no pixels.
};

}  // namespace stowbel
