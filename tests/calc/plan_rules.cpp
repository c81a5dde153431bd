#include "plan_rules.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <sstream>

namespace stowbel {

namespace {

// Rectangles have whole-millimetre corners, each rounded from an exact position.
constexpr long double kRoundingAllowance = 0.5L;
// Circles and lying cylinders keep their exact positions: only floating-point noise is allowed.
constexpr long double kExactAllowance = 1e-3L;
constexpr std::size_t kMaxReported = 20;

class Findings {
public:
    void Add(const std::string& text) {
        if (lines_.size() < kMaxReported) {
            lines_.push_back(text);
        }
    }
    std::vector<std::string> Take() { return std::move(lines_); }

private:
    std::vector<std::string> lines_;
};

std::string Describe(const PlacedStack& s, std::size_t index) {
    std::ostringstream out;
    out.precision(10);
    out << "stack " << index << " (line " << s.line << ", container " << s.container << ", ";
    switch (s.shape) {
        case StackShape::Rectangular:
            out << "x " << s.x1 << ".." << s.x2 << ", y " << s.y1 << ".." << s.y2;
            break;
        case StackShape::Round:
            out << "round at " << s.x << ", " << s.y << ", d " << s.d;
            break;
        case StackShape::RoundLying:
            out << "lying at x " << s.x << ", z " << s.z << ", y from " << s.y << ", d " << s.d
                << ", " << s.count << " x " << s.length;
            break;
    }
    out << ", " << s.count << " units)";
    return out.str();
}

// The floor a stack covers, as an axis-aligned box.
struct Box {
    long double x1, x2, y1, y2;
};

Box FloorBox(const PlacedStack& s) {
    switch (s.shape) {
        case StackShape::Rectangular:
            return {static_cast<long double>(s.x1), static_cast<long double>(s.x2),
                    static_cast<long double>(s.y1), static_cast<long double>(s.y2)};
        case StackShape::Round:
            return {s.x - s.d / 2.0L, s.x + s.d / 2.0L, s.y - s.d / 2.0L, s.y + s.d / 2.0L};
        case StackShape::RoundLying:
            break;
    }
    return {s.x - s.d / 2.0L, s.x + s.d / 2.0L, static_cast<long double>(s.y),
            s.y + static_cast<long double>(s.count) * s.length};
}

long double Allowance(const PlacedStack& s) {
    return s.shape == StackShape::Rectangular ? kRoundingAllowance : kExactAllowance;
}

void CheckInside(const Container& spec, const PlacedStack& s, std::size_t index,
                 Findings& findings) {
    const std::string who = Describe(s, index);
    if (s.count < 1) {
        findings.Add(who + " holds no unit");
    }
    if (s.shape == StackShape::Rectangular && (s.x1 >= s.x2 || s.y1 >= s.y2)) {
        findings.Add(who + " has no floor");
    }
    const Box box = FloorBox(s);
    const long double allow = Allowance(s);
    if (box.x1 < -allow) {
        findings.Add(who + " crosses the front wall");
    }
    if (box.x2 > spec.Length + allow) {
        findings.Add(who + " crosses the far end wall");
    }
    if (box.y1 < -allow) {
        findings.Add(who + " crosses the first side wall");
    }
    if (box.y2 > spec.Width + allow) {
        findings.Add(who + " crosses the second side wall");
    }
    const long double hc = spec.Height;
    if (s.shape == StackShape::RoundLying) {
        if (s.z - s.d / 2.0L < -kExactAllowance) {
            findings.Add(who + " reaches above the ceiling");
        }
        if (s.z + s.d / 2.0L > hc + kExactAllowance) {
            findings.Add(who + " reaches below the floor");
        }
    } else if (static_cast<long double>(s.count) * s.unitHeight >
               hc * (1 + 1e-12L) + kExactAllowance) {
        findings.Add(who + " is higher than the container");
    }
}

// How far a circle reaches into a rectangle: positive when they share floor.
long double CircleIntoBox(const PlacedStack& circle, const Box& box) {
    const long double dx = std::max({box.x1 - circle.x, 0.0L, circle.x - box.x2});
    const long double dy = std::max({box.y1 - circle.y, 0.0L, circle.y - box.y2});
    return circle.d / 2.0L - std::hypot(dx, dy);
}

long double Overlap1D(long double a1, long double a2, long double b1, long double b2) {
    return std::min(a2, b2) - std::max(a1, b1);
}

// The heights a stack fills, from the floor up.
struct Span {
    long double low, high;
};

Span HeightSpan(const PlacedStack& s, const Container& spec) {
    if (s.shape == StackShape::RoundLying) {
        const long double axis = static_cast<long double>(spec.Height) - s.z;
        return {axis - s.d / 2.0L, axis + s.d / 2.0L};
    }
    return {static_cast<long double>(s.base),
            s.base + static_cast<long double>(s.count) * s.unitHeight};
}

bool HeightsOverlap(const PlacedStack& a, const PlacedStack& b, const Container& spec) {
    const Span sa = HeightSpan(a, spec);
    const Span sb = HeightSpan(b, spec);
    return Overlap1D(sa.low, sa.high, sb.low, sb.high) > kExactAllowance;
}

bool Overlap(const PlacedStack& a, const PlacedStack& b, const Container& spec) {
    if (!HeightsOverlap(a, b, spec)) {
        return false;  // one stands above the other
    }
    const Box ba = FloorBox(a);
    const Box bb = FloorBox(b);
    const long double allow = std::max(Allowance(a), Allowance(b));
    const long double alongX = Overlap1D(ba.x1, ba.x2, bb.x1, bb.x2);
    const long double alongY = Overlap1D(ba.y1, ba.y2, bb.y1, bb.y2);
    if (alongX <= allow || alongY <= allow) {
        return false;
    }
    if (a.shape == StackShape::Round && b.shape == StackShape::Round) {
        return std::hypot(a.x - b.x, a.y - b.y) < (a.d + b.d) / 2.0L - kExactAllowance;
    }
    if (a.shape == StackShape::Round) {
        return CircleIntoBox(a, bb) > allow;
    }
    if (b.shape == StackShape::Round) {
        return CircleIntoBox(b, ba) > allow;
    }
    if (a.shape == StackShape::RoundLying && b.shape == StackShape::RoundLying &&
        a.line == b.line) {
        // Lying units of one type lie in staggered rows above each other: they share floor but
        // must not share space.
        return std::hypot(a.x - b.x, a.z - b.z) < (a.d + b.d) / 2.0L - kExactAllowance;
    }
    return true;  // two boxes that share floor
}

void CheckOverlaps(const Container& spec, const RunResult& result, Findings& findings) {
    std::vector<std::size_t> order(result.stacks.size());
    std::iota(order.begin(), order.end(), 0);
    const auto key = [&](std::size_t i) {
        return std::pair{result.stacks[i].container, FloorBox(result.stacks[i]).x1};
    };
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
    for (std::size_t p = 0; p < order.size(); ++p) {
        const PlacedStack& a = result.stacks[order[p]];
        const Box ba = FloorBox(a);
        for (std::size_t q = p + 1; q < order.size(); ++q) {
            const PlacedStack& b = result.stacks[order[q]];
            if (b.container != a.container || FloorBox(b).x1 >= ba.x2) {
                break;  // sorted by container and front edge: no later stack reaches back
            }
            if (Overlap(a, b, spec)) {
                findings.Add(Describe(a, order[p]) + " overlaps " + Describe(b, order[q]));
            }
        }
    }
}

// Masses are decimal kilograms summed in binary: a load that meets a limit exactly may come out
// a hair above it.
bool Exceeds(long double load, long double limit) {
    return load > limit * (1 + 1e-12L) + 1e-9L;
}

// A stack's units above the lowest weigh at most the lowest's load limit. A lying drum carries
// the drums of its column above it: the lying axes of its type in its container whose centre is
// less than half a diameter away along the container and that lie higher, one unit each, since
// the units of every axis lie end to end from the same side wall.
void CheckLoadLimits(const RunResult& result, Findings& findings) {
    for (std::size_t i = 0; i < result.stacks.size(); ++i) {
        const PlacedStack& s = result.stacks[i];
        if (!s.loadLimit) {
            continue;
        }
        if (!s.mass) {
            findings.Add(Describe(s, i) + " has a load limit but no mass");
            continue;
        }
        const long double unit = static_cast<long double>(*s.mass) / s.count;
        long double above = unit * (s.count - 1);
        if (s.shape == StackShape::RoundLying) {
            above = 0;
            for (const PlacedStack& o : result.stacks) {
                if (o.shape == StackShape::RoundLying && o.container == s.container &&
                    o.line == s.line && o.z < s.z - kExactAllowance &&
                    std::fabs(o.x - s.x) < s.d / 2.0L) {
                    above += unit;
                }
            }
        }
        if (Exceeds(above, *s.loadLimit)) {
            findings.Add(Describe(s, i) + " carries " + std::to_string(static_cast<double>(above)) +
                         " kg on its lowest unit, more than its limit of " +
                         std::to_string(*s.loadLimit) + " kg");
        }
    }
}

// Dense plans stand units on units and are in whole millimetres: the rules of three dimensions.
void CheckDenseRules(const Container& spec, const RunResult& result, Findings& findings) {
    const auto& stacks = result.stacks;
    const long double c = spec.SideClearance;
    const long double g = spec.UnitGap;
    for (std::size_t i = 0; i < stacks.size(); ++i) {
        const PlacedStack& s = stacks[i];
        const Span span = HeightSpan(s, spec);
        if (span.high > spec.Height + kExactAllowance) {
            findings.Add(Describe(s, i) + " reaches above the ceiling");
        }
        if (s.shape != StackShape::Rectangular) {
            continue;
        }
        if (s.y1 < c - kExactAllowance || s.y2 > spec.Width - c + kExactAllowance) {
            findings.Add(Describe(s, i) + " is nearer a side wall than the clearance");
        }
        long double carried = 0;
        const Box bs = FloorBox(s);
        for (std::size_t j = 0; j < stacks.size(); ++j) {
            const PlacedStack& o = stacks[j];
            if (j == i || o.container != s.container) {
                continue;
            }
            const Box bo = FloorBox(o);
            // Units whose heights overlap keep the gap along or across.
            if (HeightsOverlap(s, o, spec) &&
                Overlap1D(bs.x1, bs.x2, bo.x1, bo.x2) > -g + kExactAllowance &&
                Overlap1D(bs.y1, bs.y2, bo.y1, bo.y2) > -g + kExactAllowance &&
                (j > i || o.shape != StackShape::Rectangular)) {
                findings.Add(Describe(s, i) + " is nearer than the gap to " + Describe(o, j));
            }
            if (s.base > 0 && o.shape == StackShape::Rectangular &&
                std::fabs(HeightSpan(o, spec).high - s.base) <= kExactAllowance) {
                carried += std::max(0.0L, Overlap1D(bs.x1, bs.x2, bo.x1, bo.x2)) *
                           std::max(0.0L, Overlap1D(bs.y1, bs.y2, bo.y1, bo.y2));
            }
        }
        const long double area = (bs.x2 - bs.x1) * (bs.y2 - bs.y1);
        if (s.base > 0 && carried < area - kExactAllowance) {
            findings.Add(Describe(s, i) + " is not carried by its whole base");
        }
    }
}

}  // namespace

// In a dense plan units of other lines stand on a unit too. What rests on a unit is every unit
// standing on it, directly or through others, shared by the part of its base that rests there;
// the lowest unit of a stack carries that and the units of its own stack above it.
void CheckDenseLoadLimits(const Container& spec, const RunResult& result, Findings& findings) {
    const auto& stacks = result.stacks;
    std::vector<std::size_t> order(stacks.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    // Highest first, so that what rests on a stack is known before the stack passes it down.
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return stacks[a].base > stacks[b].base; });
    std::vector<long double> onTop(stacks.size(), 0);
    for (const std::size_t j : order) {
        const PlacedStack& upper = stacks[j];
        if (upper.base <= 0 || upper.shape != StackShape::Rectangular || !upper.mass) {
            continue;
        }
        const Box bu = FloorBox(upper);
        const long double area = (bu.x2 - bu.x1) * (bu.y2 - bu.y1);
        const long double weight = static_cast<long double>(*upper.mass) + onTop[j];
        for (std::size_t i = 0; i < stacks.size(); ++i) {
            const PlacedStack& lower = stacks[i];
            if (i == j || lower.container != upper.container ||
                lower.shape != StackShape::Rectangular ||
                std::fabs(HeightSpan(lower, spec).high - upper.base) > kExactAllowance) {
                continue;
            }
            const Box bl = FloorBox(lower);
            const long double shared = std::max(0.0L, Overlap1D(bu.x1, bu.x2, bl.x1, bl.x2)) *
                                       std::max(0.0L, Overlap1D(bu.y1, bu.y2, bl.y1, bl.y2));
            onTop[i] += weight * shared / area;
        }
    }
    // Drums carry only their own kind, as the rows lay them: CheckLoadLimits weighs those.
    for (std::size_t i = 0; i < stacks.size(); ++i) {
        const PlacedStack& s = stacks[i];
        if (!s.loadLimit || !s.mass || s.shape != StackShape::Rectangular) {
            continue;
        }
        const long double unit = static_cast<long double>(*s.mass) / s.count;
        const long double carried = onTop[i] + unit * (s.count - 1);
        if (Exceeds(carried, *s.loadLimit)) {
            findings.Add(Describe(s, i) + " carries " +
                         std::to_string(static_cast<double>(carried)) +
                         " kg, more than its limit of " + std::to_string(*s.loadLimit) + " kg");
        }
    }
}

std::vector<std::string> FindBrokenPlanRules(const Container& spec, const RunResult& result) {
    Findings findings;
    long long units = 0;
    for (std::size_t i = 0; i < result.stacks.size(); ++i) {
        CheckInside(spec, result.stacks[i], i, findings);
        units += result.stacks[i].count;
    }
    if (units != result.placed) {
        findings.Add("the stacks hold " + std::to_string(units) + " units, the run placed " +
                     std::to_string(result.placed));
    }
    CheckOverlaps(spec, result, findings);
    if (result.method == PlanMethod::Dense) {
        CheckDenseRules(spec, result, findings);
        CheckDenseLoadLimits(spec, result, findings);
    }
    CheckLoadLimits(result, findings);
    for (const ContainerWeight& load : result.weights) {
        if (spec.Payload && load.mass && *load.mass > *spec.Payload * (1 + 1e-12)) {
            findings.Add("container " + std::to_string(load.container) + " carries " +
                         std::to_string(*load.mass) + " kg, more than its payload");
        }
    }
    return findings.Take();
}

void DrawnStackRecorder::RunPrepared(const Container& spec) {
    drawn.clear();
    container_ = 1;
    if (next_ != nullptr) {
        next_->RunPrepared(spec);
    }
}

void DrawnStackRecorder::TypeColourSet(Colour colour) {
    if (next_ != nullptr) {
        next_->TypeColourSet(colour);
    }
}

void DrawnStackRecorder::ContainerBegun(int number) {
    container_ = number;
    if (next_ != nullptr) {
        next_->ContainerBegun(number);
    }
}

void DrawnStackRecorder::StackPlaced(const StackEvent& stack) {
    PlacedStack s;
    s.container = container_;
    s.shape = StackShape::Rectangular;
    s.x1 = stack.x1;
    s.y1 = stack.y1;
    s.x2 = stack.x2;
    s.y2 = stack.y2;
    s.unitHeight = stack.unitHeight;
    s.count = stack.count;
    s.base = stack.base;
    drawn.push_back(s);
    if (next_ != nullptr) {
        next_->StackPlaced(stack);
    }
}

void DrawnStackRecorder::RoundPlaced(const RoundEvent& unit) {
    PlacedStack s;
    s.container = container_;
    s.shape = StackShape::Round;
    s.x = static_cast<double>(unit.x);
    s.y = static_cast<double>(unit.y);
    s.d = unit.diameter;
    s.unitHeight = unit.unitHeight;
    s.count = unit.count;
    drawn.push_back(s);
    if (next_ != nullptr) {
        next_->RoundPlaced(unit);
    }
}

void DrawnStackRecorder::LyingRoundPlaced(const LyingRoundEvent& unit) {
    PlacedStack s;
    s.container = container_;
    s.shape = StackShape::RoundLying;
    s.x = static_cast<double>(unit.x);
    s.y = static_cast<double>(unit.y);
    s.z = static_cast<double>(unit.z);
    s.d = unit.diameter;
    s.length = unit.axisLength;
    s.count = unit.count;
    drawn.push_back(s);
    if (next_ != nullptr) {
        next_->LyingRoundPlaced(unit);
    }
}

void DrawnStackRecorder::ReportComplete(const std::vector<std::string>& lines) {
    if (next_ != nullptr) {
        next_->ReportComplete(lines);
    }
}

std::vector<std::string> FindDrawingMismatches(const std::vector<PlacedStack>& drawn,
                                               const RunResult& result) {
    Findings findings;
    if (drawn.size() != result.stacks.size()) {
        findings.Add("the pictures were told " + std::to_string(drawn.size()) +
                     " stacks, the result holds " + std::to_string(result.stacks.size()));
    }
    const std::size_t n = std::min(drawn.size(), result.stacks.size());
    for (std::size_t i = 0; i < n; ++i) {
        const PlacedStack& d = drawn[i];
        const PlacedStack& r = result.stacks[i];
        const bool same = d.container == r.container && d.shape == r.shape && d.x1 == r.x1 &&
                          d.y1 == r.y1 && d.x2 == r.x2 && d.y2 == r.y2 && d.x == r.x &&
                          d.y == r.y && d.z == r.z && d.d == r.d && d.length == r.length &&
                          d.unitHeight == r.unitHeight && d.count == r.count &&
                          (d.shape != StackShape::Rectangular || d.base == r.base);
        if (!same) {
            findings.Add("drawn " + Describe(d, i) + " but the result holds " + Describe(r, i));
        }
    }
    return findings.Take();
}

}  // namespace stowbel
