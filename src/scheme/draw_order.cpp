#include "scheme/draw_order.h"

#include <functional>
#include <queue>

namespace stowbel {

namespace {

// Faces closer than this touch.
constexpr double kTouch = 1e-6;

// Where a solid can appear on the screen, in units of the rotation (1000 mm along x moves a
// point 707 right and 353 down, along y 707 left and 353 down, up 866 up).
struct ScreenSpan {
    double left, right, top, bottom;
};

ScreenSpan SpanOf(const SceneBox& b) {
    constexpr double kAcross = 0.7071;
    constexpr double kDown = 0.3536;
    constexpr double kUp = 0.866;
    return {kAcross * (b.x1 - b.y2), kAcross * (b.x2 - b.y1), kDown * (b.x1 + b.y1) - kUp * b.z2,
            kDown * (b.x2 + b.y2) - kUp * b.z1};
}

bool Overlap(const ScreenSpan& a, const ScreenSpan& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// +1 when a lies behind b (a plane parallel to a wall or the floor separates them with a on the
// side away from the viewer), -1 when b lies behind a, 0 when neither or both. Both happen only
// for solids that no line of sight meets together, whose order then does not matter.
int Behind(const SceneBox& a, const SceneBox& b) {
    const bool aFirst = a.x2 <= b.x1 + kTouch || a.y2 <= b.y1 + kTouch || a.z2 <= b.z1 + kTouch;
    const bool bFirst = b.x2 <= a.x1 + kTouch || b.y2 <= a.y1 + kTouch || b.z2 <= a.z1 + kTouch;
    return aFirst == bFirst ? 0 : (aFirst ? 1 : -1);
}

}  // namespace

SceneBox SpaceOf(const PlacedStack& s, const Container& spec) {
    const double r = s.d / 2;
    switch (s.shape) {
        case StackShape::Rectangular:
            return {static_cast<double>(s.x1),
                    static_cast<double>(s.y1),
                    s.base,
                    static_cast<double>(s.x2),
                    static_cast<double>(s.y2),
                    s.base + s.count * s.unitHeight};
        case StackShape::Round:
            return {s.x - r, s.y - r, s.base, s.x + r, s.y + r, s.base + s.count * s.unitHeight};
        case StackShape::RoundLying: {
            const double axis = spec.Height - s.z;
            return {s.x - r, s.y, axis - r, s.x + r, s.y + s.count * s.length, axis + r};
        }
    }
    return {};
}

std::vector<std::size_t> BackToFrontOrder(const std::vector<SceneBox>& boxes) {
    const std::size_t n = boxes.size();
    std::vector<ScreenSpan> spans;
    spans.reserve(n);
    for (const SceneBox& box : boxes) {
        spans.push_back(SpanOf(box));
    }
    std::vector<std::vector<std::size_t>> after(n);
    std::vector<std::size_t> waitsFor(n, 0);
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = a + 1; b < n; ++b) {
            if (!Overlap(spans[a], spans[b])) {
                continue;
            }
            const int behind = Behind(boxes[a], boxes[b]);
            if (behind > 0) {
                after[a].push_back(b);
                ++waitsFor[b];
            } else if (behind < 0) {
                after[b].push_back(a);
                ++waitsFor[a];
            }
        }
    }
    std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> ready;
    for (std::size_t i = 0; i < n; ++i) {
        if (waitsFor[i] == 0) {
            ready.push(i);
        }
    }
    std::vector<std::size_t> order;
    order.reserve(n);
    std::vector<bool> drawn(n, false);
    std::size_t nextUndrawn = 0;
    while (order.size() < n) {
        std::size_t next = 0;
        if (!ready.empty()) {
            next = ready.top();
            ready.pop();
        } else {
            // Solids that hide each other in a ring: no order is right, the first given goes.
            while (drawn[nextUndrawn]) {
                ++nextUndrawn;
            }
            next = nextUndrawn;
        }
        if (drawn[next]) {
            continue;
        }
        drawn[next] = true;
        order.push_back(next);
        for (const std::size_t later : after[next]) {
            if (--waitsFor[later] == 0 && !drawn[later]) {
                ready.push(later);
            }
        }
    }
    return order;
}

}  // namespace stowbel
