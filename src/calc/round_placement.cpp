#include "calc/round_placement.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <optional>
#include <vector>

#include "calc/load_limit.h"
#include "order/rounding.h"

namespace stowbel {

namespace {

// The staggered walk shared by standing and lying units. Lines run along the container; on a
// line units alternate between the line's base and base + shift, every second one a pitch
// further along. "Across" is the container width for standing units and the height for lying
// ones.
struct Walk {
    long double diameter;     // the unit's own diameter
    long double gap;          // the gap between units
    long double pitch;        // along: the cell diameter times the cosine of the row angle
    long double shift;        // across: the cell diameter times the sine of the row angle
    long double acrossStart;  // base of the first line
    long double acrossLimit;  // no unit may reach beyond
    long double alongLimit;   // measured from UsedLength + front
    long double endWall;      // the container's end wall, measured the same way
    std::int64_t maxLines;    // lines the walk may lay at most
};

// A unit's centre in walk coordinates: along from UsedLength + front, and across.
struct WalkPoint {
    long double along;
    long double across;
};

// The positions of the line at base y0 that pass the walk's tests, in walk order; along the
// line they only grow.
std::vector<WalkPoint> LinePositions(const Walk& walk, long double y0) {
    const long double r = walk.diameter / 2;
    const long double pairStep = std::max(walk.diameter, 2 * walk.pitch);
    std::vector<WalkPoint> positions;
    long double x0 = r + walk.gap;
    for (int count = 1; r + x0 <= walk.alongLimit + kTouchTolerance; ++count) {
        const bool even = count % 2 == 0;
        const WalkPoint at{even ? x0 + walk.pitch : x0, even ? y0 + walk.shift : y0};
        if (r + at.across <= walk.acrossLimit + kTouchTolerance &&
            r + at.along <= walk.alongLimit + kTouchTolerance) {
            positions.push_back(at);
        }
        if (even) {
            x0 += pairStep;
        }
    }
    return positions;
}

bool ClearOf(const WalkPoint& at, const std::vector<WalkPoint>& others, long double diameter) {
    return std::none_of(others.begin(), others.end(), [&](const WalkPoint& o) {
        return std::hypot(at.along - o.along, at.across - o.across) < diameter - kTouchTolerance;
    });
}

// The walk keeps every other rule by itself: the first line starts half a gap plus front from
// the first side wall (lying: half a gap above the floor), every unit passes the test of the
// far side (lying: the ceiling less half a gap), units of a line are a cell diameter (unit and
// gap) or the larger of the unit's diameter and two pitches apart, lines the larger of the
// diameter and two shifts apart, which keeps any two units a diameter apart, and a type's units lie
// between UsedLength + front and UsedLength + front + TypeLength, where the next type begins.
//
// The end wall rule. The walk lets a unit reach to the end of the type's length measured from
// UsedLength + front, so the last unit of a line may stand past the end wall by up to front.
// Such a unit is moved back along the container until it touches the wall, when it then keeps
// clear of every unit of its own line, of the line before (as placed) and of the line after (as
// the walk places it), and stays within the type's own length; otherwise it is skipped like a
// position beyond the container, and its units go on to the positions after it. Lines lie at
// least a diameter apart across, so no unit of a line further away can come near.
template <typename PlaceAt>
void WalkStaggered(const Walk& walk, RunState& state, const PayloadBudget& budget,
                   PlaceAt placeAt) {
    const long double r = walk.diameter / 2;
    const long double lineStep = std::max(walk.diameter, 2 * walk.shift);
    if (r + r + walk.gap > walk.alongLimit + kTouchTolerance) {
        return;  // not even the first unit of a line fits along
    }
    const auto insideWall = [&](const WalkPoint& at) {
        return r + at.along <= walk.endWall + kTouchTolerance;
    };
    std::vector<WalkPoint> before;  // units placed on the line before
    std::vector<WalkPoint> line;    // units placed on this line so far
    std::vector<WalkPoint> next = LinePositions(walk, walk.acrossStart);
    std::int64_t lines = 0;
    for (long double y0 = walk.acrossStart;
         r + y0 <= walk.acrossLimit + kTouchTolerance && state.UnitsLeft > 0 && !budget.Full() &&
         lines < walk.maxLines;
         y0 += lineStep, ++lines) {
        const std::vector<WalkPoint> positions = std::move(next);
        next = LinePositions(walk, y0 + lineStep);
        std::vector<WalkPoint> neighbours;
        std::copy_if(next.begin(), next.end(), std::back_inserter(neighbours), insideWall);
        neighbours.insert(neighbours.end(), before.begin(), before.end());
        line.clear();
        for (const WalkPoint& position : positions) {
            if (state.UnitsLeft <= 0 || budget.Full()) {
                break;
            }
            WalkPoint at = position;
            if (!insideWall(at)) {
                at.along = walk.endWall - r;
                if (at.along - r < -kTouchTolerance || !ClearOf(at, neighbours, walk.diameter) ||
                    !ClearOf(at, line, walk.diameter)) {
                    continue;
                }
            }
            placeAt(at.along, at.across);
            line.push_back(at);
        }
        before = line;
    }
}

}  // namespace

// Lying units. The fitting counted them with width and height exchanged: tiers are units end to
// end across the usable width, and circles of cell diameter d are packed in staggered rows
// across the container height. So the walk runs over the height as it runs over the width for
// standing units, with the cells spanning the full height (half a gap at floor and ceiling),
// and each position gets a row of as many units end to end as the usable width holds whole
// unit lengths, starting at
// the side clearance less the gap.
void PlaceRoundUnits(PlacementContext& context, bool laidOnEnd) {
    const Container& container = context.container;
    RunState& state = context.state;
    const CargoType& type = context.table[static_cast<std::size_t>(state.TypeIndex)];

    const long double g = container.UnitGap;
    const long double c = container.SideClearance;
    const long double D = type.Length;
    const long double H = type.Height;
    const long double d = D + g;
    const long double phi = state.RowAngle;
    const long double front = std::max(0.0L, c - g / 2);
    const long double reach = std::max(0.0L, c - g);
    const long double used = state.UsedLength;

    Walk walk{D,
              g,
              d * std::cos(phi),
              d * std::sin(phi),
              0,
              0,
              std::min<long double>(state.TypeLength, container.Length - used),
              container.Length - used - front,
              std::numeric_limits<std::int64_t>::max()};
    const std::optional<std::int64_t> byLoad = TiersAllowedByLoad(type);

    if (!laidOnEnd) {
        const std::int64_t tiers =
            CapTiers(SaturateTo<std::int64_t>(Trunc(container.Height / H)), byLoad);
        walk.acrossStart = d / 2 + front;
        walk.acrossLimit = container.Width - reach;
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

    const long double usableWidth = container.Width - std::max(0.0L, 2 * (c - g));
    const std::int64_t perAxis = SaturateTo<std::int64_t>(Trunc(usableWidth / H));
    walk.acrossStart = d / 2;
    walk.acrossLimit = container.Height - g / 2;
    // A load limit may lay the units in straight layers, as the fitting counted them.
    if (const auto layers = LyingLayersByLoad(byLoad, container.Height, D, d)) {
        walk.acrossLimit =
            std::min<long double>(container.Height, HeightOfLayers(*layers, d)) - g / 2;
        walk.maxLines = *layers;
    }
    WalkStaggered(walk, state, context.budget, [&](long double x, long double heightAboveFloor) {
        const int count =
            context.budget.Take(static_cast<int>(std::min<std::int64_t>(state.UnitsLeft, perAxis)));
        if (count == 0) {
            return;
        }
        LyingRoundEvent unit;
        unit.typeCount = state.TypeCount;
        unit.x = front + used + x;
        unit.z = container.Height - heightAboveFloor;
        unit.y = reach;
        unit.diameter = type.Length;
        unit.axisLength = type.Height;
        unit.count = count;
        context.observer.LyingRoundPlaced(unit);
        state.UnitsLeft -= unit.count;
    });
}

}  // namespace stowbel
