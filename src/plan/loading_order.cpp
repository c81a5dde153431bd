#include "plan/loading_order.h"

#include <queue>
#include <tuple>

namespace stowbel {

namespace {

// Faces closer than this touch; overlaps smaller than it are none.
constexpr double kTouch = 1e-6;

bool Overlap(double a1, double a2, double b1, double b2) {
    return a1 < b2 - kTouch && b1 < a2 - kTouch;
}

}  // namespace

bool LoadsBefore(const SceneBox& a, const SceneBox& b) {
    const bool across = Overlap(a.y1, a.y2, b.y1, b.y2);
    const bool below = a.z2 <= b.z1 + kTouch && Overlap(a.x1, a.x2, b.x1, b.x2) && across;
    const bool inFront = a.x2 <= b.x1 + kTouch && across && Overlap(a.z1, a.z2, b.z1, b.z2);
    return below || inFront;
}

std::vector<std::size_t> LoaderOrder(const std::vector<SceneBox>& spaces) {
    const std::size_t n = spaces.size();
    std::vector<std::vector<std::size_t>> after(n);
    std::vector<std::size_t> waitsFor(n, 0);
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = 0; b < n; ++b) {
            if (a != b && LoadsBefore(spaces[a], spaces[b])) {
                after[a].push_back(b);
                ++waitsFor[b];
            }
        }
    }
    const auto key = [&](std::size_t i) {
        return std::make_tuple(spaces[i].x1, spaces[i].z1, spaces[i].y1, i);
    };
    const auto later = [&](std::size_t a, std::size_t b) { return key(a) > key(b); };
    std::priority_queue<std::size_t, std::vector<std::size_t>, decltype(later)> ready(later);
    for (std::size_t i = 0; i < n; ++i) {
        if (waitsFor[i] == 0) {
            ready.push(i);
        }
    }
    std::vector<std::size_t> order;
    order.reserve(n);
    std::vector<bool> listed(n, false);
    while (order.size() < n) {
        std::size_t next = n;
        if (!ready.empty()) {
            next = ready.top();
            ready.pop();
        } else {
            // Stacks that wait for each other in a ring cannot be loaded in any order; a plan
            // never holds them, but the list still names every stack once.
            for (std::size_t i = 0; i < n; ++i) {
                if (!listed[i] && (next == n || key(i) < key(next))) {
                    next = i;
                }
            }
        }
        if (listed[next]) {
            continue;
        }
        listed[next] = true;
        order.push_back(next);
        for (const std::size_t b : after[next]) {
            if (--waitsFor[b] == 0 && !listed[b]) {
                ready.push(b);
            }
        }
    }
    return order;
}

}  // namespace stowbel
