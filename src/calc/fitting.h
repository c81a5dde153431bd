#pragma once

#include <cstdint>
#include <optional>

namespace stowbel {

// Counts of the fitting. Held wide so that no count of an absurd order wraps around; every
// order whose counts stay within 16 bits gets exactly the classic results.
using Count = std::int64_t;

// Units on a floor block of width W (across the container) and length L (along it) when each
// row across holds k units laid along (cell length a along the container, cell width b across)
// and the rest of the width holds units laid across.
Count CountMixedBlock(Count k, long double a, long double b, long double W, long double L);

// Tries every k from none to as many cell widths as the block's width holds and keeps the first
// best count; k is given back as a double.
Count BestMixedBlock(long double a, long double b, long double W, long double L, double& k);

// Round units of cell diameter D (unit and gap) on a floor block of width W and length L in the
// better of two staggered row patterns; angle is the angle between adjacent rows of the pattern
// taken, in radians.
Count CountStaggeredRound(long double D, long double W, long double L, double& angle);

// One type's units and the room they are laid in. a and b are the cell length and width (unit
// size plus the gap), h the unit height, gap the gap between units (needed to stand a
// rectangular unit on its end).
struct FitRequest {
    Count quantity = 0;
    bool square = true;       // rectangular (SQR), else round (RND)
    bool turnAcross = false;  // may be laid across the container
    bool standOnEnd = false;  // may be stood on its end (round units: laid on their side)
    double width = 0;         // the usable width: the container's less both side clearances
    double height = 0;        // the container's inner height
    double a = 0;
    double b = 0;
    double h = 0;
    double gap = 0;
};

struct FitResult {
    double length = 0;       // the container length needed; 0 when the type does not fit
    bool laidOnEnd = false;  // the stand-on-end attempt won
    // How the rows lie; none when no attempt counted anything. A rectangular type's units
    // side by side in a row laid along the container; a round type's angle in radians between
    // adjacent staggered rows.
    std::optional<double> unitsPerRow;
    std::optional<double> rowAngle;
};

// The container length that the units need when stacked in tiers up to the container height.
// maxTiers: the most units one stack may hold by the units' load limit (lying round units: the
// most layers across the height); none: as many as the height allows.
FitResult RequiredLength(const FitRequest& request,
                         const std::optional<Count>& maxTiers = std::nullopt);

}  // namespace stowbel
