#include "calc/round_placement.h"

#include <algorithm>
#include <cmath>

#include "order/rounding.h"

namespace stowbel {

namespace {

// The staggered walk shared by standing and lying units. Lines run along the container; on a
// line units alternate between the line's base and base + shift, every second one a pitch
// further along. "Across" is the container width for standing units and the height for lying
// ones.
struct Walk {
    long double diameter;     // D, the unit's own diameter
    long double gap;          // g
    long double pitch;        // P = d cos(phi)
    long double shift;        // S = d sin(phi)
    long double acrossStart;  // base of the first line
    long double acrossLimit;  // no unit may reach beyond
    long double alongLimit;   // measured from UsedLength + front
};

template <typename PlaceAt>
void WalkStaggered(const Walk& walk, RunState& state, const PayloadBudget& budget,
                   PlaceAt placeAt) {
    const long double r = walk.diameter / 2;
    const long double lineStep = std::max(walk.diameter, 2 * walk.shift);
    const long double pairStep = std::max(walk.diameter, 2 * walk.pitch);
    if (r + r + walk.gap > walk.alongLimit + kTouchTolerance) {
        return;  // not even the first unit of a line fits along
    }
    for (long double y0 = walk.acrossStart;
         r + y0 <= walk.acrossLimit + kTouchTolerance && state.UnitsLeft > 0 && !budget.Full();
         y0 += lineStep) {
        long double x0 = r + walk.gap;
        for (int count = 1;
             r + x0 <= walk.alongLimit + kTouchTolerance && state.UnitsLeft > 0 && !budget.Full();
             ++count) {
            const bool even = count % 2 == 0;
            const long double x = even ? x0 + walk.pitch : x0;
            const long double y = even ? y0 + walk.shift : y0;
            if (r + y <= walk.acrossLimit + kTouchTolerance &&
                r + x <= walk.alongLimit + kTouchTolerance) {
                placeAt(x, y);
            }
            if (even) {
                x0 += pairStep;
            }
        }
    }
}

}  // namespace

// Lying units. The fitting counted them with width and height exchanged: tiers are units end to
// end across the usable width, and circles of cell diameter d are packed in staggered rows
// across the container height. So the walk runs over the height as it runs over the width for
// standing units, with the cells spanning the full height (half a gap at floor and ceiling),
// and each position gets a row of up to Trunc(usable width / H) units end to end, starting at
// the side clearance less the gap.
void PlaceRoundUnits(PlacementContext& context, bool laidOnEnd) {
    const Container& spec = context.spec;
    RunState& state = context.state;
    const CargoType& type = context.table[static_cast<std::size_t>(state.TypeIndex)];

    const long double g = spec.UnitGap;
    const long double c = spec.SideClearance;
    const long double D = type.Length;
    const long double H = type.Height;
    const long double d = D + g;
    const long double phi = state.FitDetail;
    const long double front = std::max(0.0L, c - g / 2);
    const long double reach = std::max(0.0L, c - g);
    const long double used = state.UsedLength;

    Walk walk{D,
              g,
              d * std::cos(phi),
              d * std::sin(phi),
              0,
              0,
              std::min<long double>(state.TypeLength, spec.Length - used)};

    if (!laidOnEnd) {
        const std::int64_t tiers = SaturateTo<std::int64_t>(Trunc(spec.Height / H));
        walk.acrossStart = d / 2 + front;
        walk.acrossLimit = spec.Width - reach;
        WalkStaggered(walk, state, context.budget, [&](long double x, long double y) {
            const int count = context.budget.Take(
                static_cast<int>(std::min<std::int64_t>(state.UnitsLeft, tiers)));
            if (count == 0) {
                return;
            }
            RoundEvent unit;
            unit.typeCount = state.TypeCount;
            unit.x = front + used + x;
            unit.y = y;
            unit.diameter = type.Length;
            unit.unitHeight = type.Height;
            unit.count = count;
            context.observer.RoundPlaced(unit);
            state.UnitsLeft -= unit.count;
        });
        return;
    }

    const long double usableWidth = spec.Width - std::max(0.0L, 2 * (c - g));
    const std::int64_t perAxis = SaturateTo<std::int64_t>(Trunc(usableWidth / H));
    walk.acrossStart = d / 2;
    walk.acrossLimit = spec.Height - g / 2;
    WalkStaggered(walk, state, context.budget, [&](long double x, long double heightAboveFloor) {
        const int count =
            context.budget.Take(static_cast<int>(std::min<std::int64_t>(state.UnitsLeft, perAxis)));
        if (count == 0) {
            return;
        }
        LyingRoundEvent unit;
        unit.typeCount = state.TypeCount;
        unit.x = front + used + x;
        unit.z = spec.Height - heightAboveFloor;
        unit.y = reach;
        unit.diameter = type.Length;
        unit.axisLength = type.Height;
        unit.count = count;
        context.observer.LyingRoundPlaced(unit);
        state.UnitsLeft -= unit.count;
    });
}

}  // namespace stowbel
