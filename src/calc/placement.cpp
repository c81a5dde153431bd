#include "calc/placement.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "calc/fitting.h"
#include "calc/load_limit.h"
#include "calc/round_placement.h"
#include "calc/row_mending.h"
#include "order/rounding.h"

namespace stowbel {

namespace {

// Beyond this the alignment search gives up and keeps its closest block: only sizes with
// many decimals get there, and the blocks only decide which rows change sides.
constexpr std::int64_t kMaxAlignmentSearch = 100000;

std::int64_t TruncWide(long double x) {
    return SaturateTo<std::int64_t>(Trunc(x));
}

struct Block {
    StackBlock kind;
    std::int64_t rows;
    std::int64_t perRow;
    long double bx;  // x offset of the block
    long double pitchAlong;
    long double by;  // y offset of the block
    long double pitchAcross;
    bool along;  // alignment by BlockAlong (else BlockAcross)
};

// A slot of a block that the mending found no sound place for: it is skipped like a position
// beyond the container end.
struct SlotKey {
    StackBlock block;
    std::int64_t row;
    std::int64_t slot;
    auto operator<=>(const SlotKey&) const = default;
};

// Plans that still hold unsound stacks after this many rounds of skipping them leave the rest
// out without planning again; real orders need one round at most.
constexpr int kMaxPlanningRounds = 16;

class RectangularPlacement {
public:
    RectangularPlacement(PlacementContext& context, CargoType& type)
        : ctx_(context), container_(context.container), type_(type), state_(context.state) {}

    void Place();

private:
    std::vector<PlannedRow> PlanRows(const std::set<SlotKey>& skipped) const;
    void PlanBlock(const Block& block, const std::set<SlotKey>& skipped, std::int32_t& unitsLeft,
                   std::vector<PlannedRow>& rows) const;
    StackEvent PlanStack(const Block& block, std::int64_t row, std::int64_t slot, bool shifted,
                         std::int32_t unitsLeft) const;
    std::vector<SlotKey> FindUnsoundStacks(const std::vector<PlannedRow>& rows) const;
    void Emit(const std::vector<PlannedRow>& rows, const std::set<SlotKey>& leftOut);

    PlacementContext& ctx_;
    const Container& container_;
    CargoType& type_;
    RunState& state_;
    RowAlignment alignment_;
    long double cellLength_ = 0;
    long double cellWidth_ = 0;
    std::int64_t tiers_ = 0;
    std::int32_t rowSlack_ = 0;
    long double front_ = 0;
    long double reach_ = 0;
    std::vector<Block> blocks_;
    AcrossLimits limits_;
    std::int32_t lengthLimit_ = 0;  // the end wall in whole mm
};

void RectangularPlacement::Place() {
    const long double g = container_.UnitGap;
    const long double c = container_.SideClearance;
    const long double wc = container_.Width;
    cellLength_ = type_.Length + g;
    cellWidth_ = type_.Width + g;
    tiers_ = CapTiers(TruncWide(static_cast<long double>(container_.Height) / type_.Height),
                      TiersAllowedByLoad(type_));
    front_ = std::max(0.0L, c - g / 2);
    reach_ = std::max(0.0L, c - g);

    alignment_.alternate = ctx_.alternate;
    alignment_.unitsPerRow = state_.UnitsPerRow;
    alignment_.containerWidth = container_.Width;
    alignment_.cellLength = static_cast<double>(cellLength_);
    alignment_.cellWidth = static_cast<double>(cellWidth_);
    alignment_.blocks = FindAlignmentBlocks(type_.Length, type_.Width);

    // The width a full row (lane A beside lane B) leaves free beyond both side clearances.
    const long double f = state_.UnitsPerRow * cellWidth_;
    const long double rest = wc - f;
    rowSlack_ = RoundToInt(wc - f - Trunc(rest / cellLength_) * cellLength_ - 2 * c);

    const long double typeLength = state_.TypeLength;
    const std::int64_t rowsA = TruncWide(typeLength / cellLength_);
    const long double lengthA = static_cast<long double>(rowsA) * cellLength_;
    blocks_ = {
        {StackBlock::A, rowsA, RoundToInt(state_.UnitsPerRow), 0, cellLength_, 0, cellWidth_, true},
        {StackBlock::B, TruncWide(typeLength / cellWidth_), TruncWide(rest / cellLength_), 0,
         cellWidth_, f, cellLength_, false},
        {StackBlock::C, TruncWide((typeLength - lengthA) / cellWidth_), TruncWide(wc / cellLength_),
         lengthA, cellWidth_, 0, cellLength_, true},
    };

    // Whole-millimetre corners may reach the 0.5 mm of their rounding past a wall.
    limits_.high = TruncToInt(static_cast<long double>(container_.Width) + 0.5L);
    limits_.laneGap = RoundToInt(c + f + g / 2) - RoundToInt(c + f - g / 2);
    lengthLimit_ = TruncToInt(static_cast<long double>(container_.Length) + 0.5L);

    // Lay the rows as specified, mend them, and skip every slot that still has no sound place;
    // its units go on to the slots after it, as from a position beyond the container end.
    std::set<SlotKey> skipped;
    for (int round = 1;; ++round) {
        std::vector<PlannedRow> rows = PlanRows(skipped);
        MendRows(rows, limits_);
        const std::vector<SlotKey> unsound = FindUnsoundStacks(rows);
        if (unsound.empty() || round == kMaxPlanningRounds) {
            Emit(rows, std::set<SlotKey>(unsound.begin(), unsound.end()));
            return;
        }
        skipped.insert(unsound.begin(), unsound.end());
    }
}

std::vector<PlannedRow> RectangularPlacement::PlanRows(const std::set<SlotKey>& skipped) const {
    std::vector<PlannedRow> rows;
    std::int32_t unitsLeft = state_.UnitsLeft;
    for (const Block& block : blocks_) {
        PlanBlock(block, skipped, unitsLeft, rows);
    }
    return rows;
}

void RectangularPlacement::PlanBlock(const Block& block, const std::set<SlotKey>& skipped,
                                     std::int32_t& unitsLeft, std::vector<PlannedRow>& rows) const {
    if (block.perRow <= 0) {
        return;  // no slot in any row: nothing to visit
    }
    const long double limit =
        static_cast<long double>(container_.Length) - reach_ + kTouchTolerance;
    for (std::int64_t r = 1; r <= block.rows && unitsLeft > 0; ++r) {
        // Rows only grow along the container: once one ends beyond it, all later ones do.
        if (state_.UsedLength + block.bx + static_cast<long double>(r) * block.pitchAlong > limit) {
            break;
        }
        const bool shifted =
            block.along ? alignment_.AlongRowShifted(r) : alignment_.AcrossRowShifted(r);
        PlannedRow row;
        row.block = block.kind;
        row.number = r;
        row.displaced = shifted && rowSlack_ != 0;
        for (std::int64_t a = 1; a <= block.perRow && unitsLeft > 0; ++a) {
            if (skipped.contains({block.kind, r, a})) {
                continue;
            }
            const StackEvent stack = PlanStack(block, r, a, shifted, unitsLeft);
            unitsLeft -= stack.count;
            row.stacks.push_back(stack);
            row.slots.push_back(a);
        }
        if (!row.stacks.empty()) {
            row.x1 = row.stacks.front().x1;
            row.x2 = row.stacks.front().x2;
            rows.push_back(std::move(row));
        }
    }
}

StackEvent RectangularPlacement::PlanStack(const Block& block, std::int64_t row, std::int64_t slot,
                                           bool shifted, std::int32_t unitsLeft) const {
    const long double g = container_.UnitGap;
    const long double c = container_.SideClearance;
    const long double used = state_.UsedLength;
    const long double s = shifted ? rowSlack_ : 0;
    const auto r = static_cast<long double>(row);
    const auto a = static_cast<long double>(slot);

    StackEvent stack;
    stack.typeCount = state_.TypeCount;
    stack.block = block.kind;
    stack.x1 = RoundToInt(used + front_ + block.bx + (r - 1) * block.pitchAlong + g / 2);
    stack.x2 = RoundToInt(used + front_ + block.bx + r * block.pitchAlong - g / 2);
    stack.y1 = RoundToInt(s + c + block.by + (a - 1) * block.pitchAcross + g / 2);
    stack.y2 = RoundToInt(s + c + block.by + a * block.pitchAcross - g / 2);
    stack.unitHeight = type_.Height;
    stack.count = static_cast<int>(std::min<std::int64_t>(unitsLeft, tiers_));
    stack.labelled = tiers_ > 1 && unitsLeft > 1;
    if (block.kind != StackBlock::A) {
        const long double l = type_.Length;
        stack.labelX = used + reach_ + block.bx + (r - 1) * cellWidth_ + type_.Width / 2.0L;
        stack.labelY = s + block.by + (a - 1) * l + l / 2;
    }
    return stack;
}

// The last check of a mended plan: a stack outside the container, or on floor that a stack laid
// before it in this call already holds (a row of block C over the full width where lane B rows
// lie, or lanes that found no room beside each other), has no sound place.
std::vector<SlotKey> RectangularPlacement::FindUnsoundStacks(
    const std::vector<PlannedRow>& rows) const {
    std::vector<SlotKey> unsound;
    // Sound stacks so far, per block; rows follow each other along the container, so each list
    // is in order of x.
    std::vector<StackEvent> laid[3];
    for (const PlannedRow& row : rows) {
        for (std::size_t i = 0; i < row.stacks.size(); ++i) {
            StackEvent stack = row.stacks[i];
            stack.y1 += row.move;
            stack.y2 += row.move;
            bool sound = stack.x1 >= 0 && stack.x2 <= lengthLimit_ && stack.y1 >= 0 &&
                         stack.y2 <= limits_.high;
            for (const std::vector<StackEvent>& other : laid) {
                auto it =
                    std::partition_point(other.begin(), other.end(),
                                         [&](const StackEvent& o) { return o.x2 <= stack.x1; });
                for (; sound && it != other.end() && it->x1 < stack.x2; ++it) {
                    sound = std::min(it->y2, stack.y2) <= std::max(it->y1, stack.y1);
                }
            }
            if (sound) {
                laid[static_cast<std::size_t>(row.block)].push_back(stack);
            } else {
                unsound.push_back({row.block, row.number, row.slots[i]});
            }
        }
    }
    return unsound;
}

void RectangularPlacement::Emit(const std::vector<PlannedRow>& rows,
                                const std::set<SlotKey>& leftOut) {
    for (const PlannedRow& row : rows) {
        for (std::size_t i = 0; i < row.stacks.size(); ++i) {
            if (leftOut.contains({row.block, row.number, row.slots[i]})) {
                continue;
            }
            StackEvent stack = row.stacks[i];
            stack.y1 += row.move;
            stack.y2 += row.move;
            if (stack.block == StackBlock::A) {
                stack.labelX = (static_cast<long double>(stack.x1) + stack.x2) / 2;
                stack.labelY = (static_cast<long double>(stack.y1) + stack.y2) / 2;
            } else {
                stack.labelY += row.move;
            }
            // The payload may cut a stack short; once it is used up the container is full.
            const int allowed = ctx_.budget.Take(stack.count);
            if (allowed == 0) {
                return;
            }
            stack.count = allowed;
            stack.labelled = stack.labelled && allowed > 1;
            ctx_.observer.StackPlaced(stack);
            state_.UnitsLeft -= stack.count;
            if (ctx_.budget.Full()) {
                return;
            }
        }
    }
}

}  // namespace

AlignmentBlocks FindAlignmentBlocks(double length, double width) {
    const long double l = length;
    const long double w = width;
    std::int64_t best = 1;
    long double bestMiss = -1;
    for (std::int64_t n = 1; n <= kMaxAlignmentSearch; ++n) {
        const long double nl = static_cast<long double>(n) * l;
        const long double miss = std::fabs(Trunc(nl / w) * w - nl);
        if (miss <= 1) {
            best = n;
            break;
        }
        if (bestMiss < 0 || miss < bestMiss) {
            best = n;
            bestMiss = miss;
        }
    }
    return {best, TruncWide(static_cast<long double>(best) * l / w)};
}

bool RowAlignment::Shifted(std::int64_t row, std::int64_t block) const {
    if (!alternate) {
        return false;
    }
    const bool odd = row % 2 == 1;
    if (unitsPerRow == 0) {
        return odd;
    }
    const long double rest = static_cast<long double>(containerWidth) -
                             unitsPerRow * static_cast<long double>(cellWidth);
    if (Trunc(rest / cellLength) == 0) {
        return odd;
    }
    return ((row - 1) / std::max<std::int64_t>(block, 1)) % 2 == 1;
}

bool RowAlignment::AlongRowShifted(std::int64_t row) const {
    return Shifted(row, blocks.along);
}

bool RowAlignment::AcrossRowShifted(std::int64_t row) const {
    return Shifted(row, blocks.across);
}

void PlaceCargoType(PlacementContext& context) {
    const Container& container = context.container;
    RunState& state = context.state;
    CargoType& type = context.table[static_cast<std::size_t>(state.TypeIndex)];

    const double g = container.UnitGap;
    const double e = std::max(0.0, 2 * (container.SideClearance - g));
    const double usableWidth = container.Width - e;
    const FitResult fit = RequiredLength({.quantity = type.Quantity,
                                          .square = type.IsRectangular,
                                          .turnAcross = type.MayTurnAcross,
                                          .standOnEnd = type.MayStandOnEnd,
                                          .width = usableWidth,
                                          .height = container.Height,
                                          .a = type.Length + g,
                                          .b = type.Width + g,
                                          .h = type.Height,
                                          .gap = g},
                                         TiersAllowedByLoad(type));
    const bool laidOnEnd = fit.laidOnEnd;
    state.TypeLength = fit.length;
    if (const std::optional<double> figure = fit.unitsPerRow ? fit.unitsPerRow : fit.rowAngle) {
        state.LastRowFigure = *figure;
    }
    // A type that counted nothing keeps the last figure, whichever shape it was found for.
    state.UnitsPerRow = type.IsRectangular ? state.LastRowFigure : 0;
    state.RowAngle = type.IsRectangular ? 0 : state.LastRowFigure;
    state.OnEndLength = laidOnEnd ? state.TypeLength : 0;

    if (type.IsRectangular) {
        if (laidOnEnd) {
            std::swap(type.Length, type.Height);
        }
        RectangularPlacement(context, type).Place();
    } else {
        PlaceRoundUnits(context, laidOnEnd);
    }
    state.UsedLength += state.TypeLength;
}

}  // namespace stowbel
