#include "calc/fitting.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "calc/load_limit.h"
#include "order/rounding.h"

namespace stowbel {

namespace {

// No single factor of a count exceeds this, so sums of products stay far inside 64 bits.
constexpr long double kCountCap = 1LL << 30;

Count TruncCount(long double x) {
    return SaturateTo<Count>(std::min(Trunc(x), kCountCap));
}

constexpr long double kPi = std::numbers::pi_v<long double>;
// pi / 3 as the double the pattern angle is limited to.
constexpr double kMaxPatternAngle = 1.0471975511965979;

long double ClampedCosine(long double angle) {
    const long double c = std::cos(angle);
    return c <= 0.5L ? 0.5L : c;
}

struct SearchArgs {
    Count quantity;
    bool square;
    long double W;
    long double a;
    long double b;
    long double tiers;
};

// Whether at least one unit fits across the block in an orientation the search can count.
bool SomeUnitFitsWidth(const SearchArgs& args) {
    if (args.square) {
        return TruncCount(args.W / args.a) >= 1 || TruncCount(args.W / args.b) >= 1;
    }
    return args.a <= args.W;
}

// Lengths tried one by one before the search gallops; real orders are mostly decided within.
constexpr Count kLinearSteps = 256;

// Steps 4 and 5: from the floor-area bound upwards in 10 mm steps until the block holds the
// quantity; the result is 10 mm past that length. The count only grows with the length, so past
// the first steps the first length that holds is found by galloping and bisection over the same
// 10 mm grid: the same result, but an absurd order cannot keep the search busy for hours.
long double SearchLength(const SearchArgs& args, std::optional<double>& rowFigure) {
    const long double area = args.square ? args.a * args.b : kPi * (args.a / 2) * (args.a / 2);
    const long double start =
        Ceil(static_cast<long double>(args.quantity) / args.tiers) * area / args.W;
    if (args.quantity <= 0) {
        return start;
    }
    if (!SomeUnitFitsWidth(args)) {
        return 0;
    }
    const auto holds = [&](Count step) {
        const long double length = start + 10.0L * static_cast<long double>(step);
        double detail = 0;
        const Count found = args.square ? BestMixedBlock(args.a, args.b, args.W, length, detail)
                                        : CountStaggeredRound(args.a, args.W, length, detail);
        rowFigure = detail;
        return static_cast<long double>(found) * args.tiers >=
               static_cast<long double>(args.quantity);
    };
    const auto result = [&](Count step) {
        return start + 10.0L * static_cast<long double>(step + 1);
    };
    for (Count step = 0; step < kLinearSteps; ++step) {
        if (holds(step)) {
            return result(step);
        }
    }
    Count below = kLinearSteps - 1;  // known not to hold
    Count above = 2 * kLinearSteps;
    while (!holds(above)) {
        below = above;
        above *= 2;
    }
    while (above - below > 1) {
        const Count middle = below + (above - below) / 2;
        if (holds(middle)) {
            above = middle;
        } else {
            below = middle;
        }
    }
    holds(above);  // leaves the fit detail of the length found
    return result(above);
}

struct Attempt {
    long double length = 0;
    bool fixedOrientation = false;  // a unit that may not turn filled its rows: final
};

// One attempt without standing on end: the fixed orientation or the search.
Attempt PlainLength(Count quantity, bool square, bool turnAcross, long double W, long double Hc,
                    long double a, long double b, long double h,
                    const std::optional<Count>& maxTiers, std::optional<double>& rowFigure) {
    const long double tiers = static_cast<long double>(CapTiers(TruncCount(Hc / h), maxTiers));
    if (tiers < 1) {
        return {};
    }
    if (square && !turnAcross) {
        const Count perRow = TruncCount(W / b);
        if (perRow >= 1) {
            rowFigure = static_cast<double>(perRow);
            const long double stacks = Ceil(static_cast<long double>(quantity) / tiers);
            const long double rows = Ceil(stacks / static_cast<long double>(perRow));
            return {rows * a, true};
        }
    }
    return {SearchLength({quantity, square, W, a, b, tiers}, rowFigure), false};
}

}  // namespace

namespace {

// The terms of a mixed block that do not depend on k, computed once per length.
struct BlockTerms {
    long double a, b, W, L;
    Count alongPerColumn;   // whole cell lengths in the block's length
    Count acrossPerColumn;  // whole cell widths in the block's length
    Count acrossAtEnd;      // whole cell widths in what the cell lengths leave of the length

    BlockTerms(long double a_, long double b_, long double W_, long double L_)
        : a(a_),
          b(b_),
          W(W_),
          L(L_),
          alongPerColumn(TruncCount(L_ / a_)),
          acrossPerColumn(TruncCount(L_ / b_)),
          acrossAtEnd(TruncCount((L_ - static_cast<long double>(alongPerColumn) * a_) / b_)) {}

    Count CountFor(Count k) const {
        const auto kk = static_cast<long double>(k);
        return k * alongPerColumn + TruncCount((W - kk * b) / a) * acrossPerColumn +
               acrossAtEnd * TruncCount(kk * b / a);
    }
};

}  // namespace

Count CountMixedBlock(Count k, long double a, long double b, long double W, long double L) {
    return BlockTerms(a, b, W, L).CountFor(k);
}

Count BestMixedBlock(long double a, long double b, long double W, long double L, double& k) {
    const BlockTerms terms(a, b, W, L);
    const Count n = TruncCount(W / b);
    Count best = terms.CountFor(0);
    Count bestK = 0;
    for (Count i = 0; i <= n; ++i) {
        const Count count = terms.CountFor(i);
        if (count > best) {
            best = count;
            bestK = i;
        }
    }
    k = static_cast<double>(bestK);
    return best;
}

Count CountStaggeredRound(long double D, long double W, long double L, double& angle) {
    if (L < D || W < D) {
        angle = 0;
        return 0;
    }
    const Count g = TruncCount(W / D);
    const auto gg = static_cast<long double>(g);
    // The width left beside a straight row of g units, stored as a double.
    const auto h = static_cast<double>(Frac(W / D) * D);

    long double phiS = 0;
    long double phiA = 0;
    if (h != 0) {
        if (g >= 2) {
            phiA = std::asin(h / (2 * D * (gg - 1)) + 0.5L);
            if (phiA > kPi / 3) {
                phiA = kMaxPatternAngle;
            }
        }
        if (h < D / 2) {
            phiS = std::asin(h / D);
        } else {
            phiS = std::asin((W / D - 1) / (2 * gg - 1));
        }
    }

    const Count t = TruncCount((L - D) / (D * ClampedCosine(phiS)));
    const Count countS = g * (t + 1);
    Count v = 0;
    if (g >= 2) {
        v = TruncCount((L - D) / (D * ClampedCosine(phiA)));
    }
    const Count countA = g * (v + 1) - (v + 1) / 2;

    if (countA <= countS || g == 1) {
        angle = static_cast<double>(phiS);
        return countS;
    }
    angle = static_cast<double>(phiA);
    return countA;
}

namespace {

// The attempt standing the units on their end (round ones: lying), kept when it needs less
// length than the plain attempt in result.
void StandOnEnd(const FitRequest& request, const std::optional<Count>& maxTiers, FitResult& result,
                std::optional<double>& rowFigure) {
    const auto [quantity, square, turnAcross, standOnEnd, W, Hc, a, b, h, gap] = request;
    std::optional<double> endDetail;
    Attempt second;
    if (square) {
        // Stood on its end face, the unit's length (without the gap) is the tier height and its
        // height plus the gap is the cell along the container: exactly how it is then laid.
        const long double cellAlong = static_cast<long double>(h) + gap;
        const long double tierHeight = static_cast<long double>(a) - gap;
        second = PlainLength(quantity, square, turnAcross, W, Hc, cellAlong, b, tierHeight,
                             maxTiers, endDetail);
    } else {
        // Lying cylinders: units end to end across the width, circles packed across the height.
        // A load limit keeps the circles to as many layers as it allows.
        const std::optional<std::int64_t> layers =
            LyingLayersByLoad(maxTiers, Hc, static_cast<long double>(a) - gap, a);
        const long double layersHeight = layers ? HeightOfLayers(*layers, a) : Hc;
        second = PlainLength(quantity, square, turnAcross, layersHeight, W, a, b, h, std::nullopt,
                             endDetail);
    }
    const auto onEnd = static_cast<double>(second.length);
    if (onEnd > 0 && (onEnd < result.length || result.length == 0)) {
        result.length = onEnd;
        result.laidOnEnd = true;
        rowFigure = endDetail;
    }
}

}  // namespace

FitResult RequiredLength(const FitRequest& request, const std::optional<Count>& maxTiers) {
    const auto [quantity, square, turnAcross, standOnEnd, W, Hc, a, b, h, gap] = request;
    FitResult result;
    std::optional<double> rowFigure;  // units per row or the row angle, by the shape
    const Attempt first =
        PlainLength(quantity, square, turnAcross, W, Hc, a, b, h, maxTiers, rowFigure);
    result.length = static_cast<double>(first.length);
    if (!first.fixedOrientation && standOnEnd) {
        StandOnEnd(request, maxTiers, result, rowFigure);
    }
    (square ? result.unitsPerRow : result.rowAngle) = rowFigure;
    return result;
}

}  // namespace stowbel
