#pragma once

#include <cstdint>

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

// The container length that quantity units of one type need when stacked in tiers up to the
// container height. a and b are the cell length and width (unit size plus the gap), h the unit
// height, gap the gap between units (needed to stand a rectangular unit on its end). Returns 0
// when the type does not fit. laidOnEnd tells whether the stand-on-end attempt won; fitDetail is
// the units laid along per row (SQR) or the row angle (RND), unchanged when no attempt counted.
double RequiredLength(Count quantity, bool square, bool turnAcross, bool standOnEnd, double W,
                      double Hc, double a, double b, double h, double gap, bool& laidOnEnd,
                      double& fitDetail);

}  // namespace stowbel
