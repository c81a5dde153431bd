#pragma once

#include <cstdint>
#include <optional>

namespace stowbel {

// Counts of the fitting. Held wide so that no count of an absurd order wraps around; every
// order whose counts stay within 16 bits gets exactly the classic results.
using Count = std::int64_t;

// Units on a floor block W x L when each row across holds k units laid along (length along the
// container, cell a x b) and the rest of the width holds units laid across.
Count CountMixedBlock(Count k, long double a, long double b, long double W, long double L);

// Tries k = 0 .. Trunc(W / b) and keeps the first best count; k is given back as a double.
Count BestMixedBlock(long double a, long double b, long double W, long double L, double& k);

// Round units of cell diameter D on a floor block W x L in the better of two staggered row
// patterns; angle is the row angle of the pattern taken, in radians.
Count CountStaggeredRound(long double D, long double W, long double L, double& angle);

// One type's units and the room they are laid in. a and b are the cell length and width (unit
// size plus the gap), h the unit height, gap the gap between units (needed to stand a
// rectangular unit on its end).
struct FitRequest {
    Count quantity = 0;
    bool square = true;       // rectangular (SQR), else round (RND)
    bool turnAcross = false;  // may be laid across the container
    bool standOnEnd = false;  // may be stood on its end (round units: laid on their side)
    double width = 0;         // W: the usable width
    double height = 0;        // Hc: the container height
    double a = 0;
    double b = 0;
    double h = 0;
    double gap = 0;
};

struct FitResult {
    double length = 0;       // the container length needed; 0 when the type does not fit
    bool laidOnEnd = false;  // the stand-on-end attempt won
    // Units laid along per row (SQR) or the row angle (RND); none when no attempt counted.
    std::optional<double> fitDetail;
};

// The container length that the units need when stacked in tiers up to the container height.
// maxTiers: the most units one stack may hold by the units' load limit (lying round units: the
// most layers across the height); none: as many as the height allows.
FitResult RequiredLength(const FitRequest& request,
                         const std::optional<Count>& maxTiers = std::nullopt);

}  // namespace stowbel
