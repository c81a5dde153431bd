#include "calc/dense/loading_order.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <queue>
#include <tuple>
#include <utility>

namespace stowbel::dense::detail {
namespace {

bool Overlap(std::int64_t a1, std::int64_t a2, std::int64_t b1, std::int64_t b2) {
    return a1 < b2 && b1 < a2;
}

// Whether box a has to be loaded before box b.
bool MustPrecede(const PlacedBox& a, const PlacedBox& b) {
    const bool yOverlap = Overlap(a.y, a.y + a.size.across, b.y, b.y + b.size.across);
    if (!yOverlap)
        return false;
    const bool carries =
        a.z + a.size.height == b.z && Overlap(a.x, a.x + a.size.along, b.x, b.x + b.size.along);
    const bool inTheWay =
        a.x + a.size.along <= b.x && Overlap(a.z, a.z + a.size.height, b.z, b.z + b.size.height);
    return carries || inTheWay;
}

}  // namespace

void SortForLoading(std::vector<PlacedBox>& boxes) {
    const std::size_t n = boxes.size();
    std::vector<std::vector<std::size_t>> after(n);
    std::vector<int> waitingFor(n, 0);
    for (std::size_t a = 0; a < n; ++a)
        for (std::size_t b = 0; b < n; ++b)
            if (a != b && MustPrecede(boxes[a], boxes[b])) {
                after[a].push_back(b);
                ++waitingFor[b];
            }
    using Key = std::tuple<std::int64_t, std::int64_t, std::int64_t, std::size_t>;
    std::priority_queue<Key, std::vector<Key>, std::greater<>> ready;
    auto keyOf = [&](std::size_t i) { return Key{boxes[i].x, boxes[i].z, boxes[i].y, i}; };
    for (std::size_t i = 0; i < n; ++i)
        if (waitingFor[i] == 0)
            ready.push(keyOf(i));
    std::vector<PlacedBox> sorted;
    std::vector<bool> done(n, false);
    sorted.reserve(n);
    while (!ready.empty()) {
        const std::size_t i = std::get<3>(ready.top());
        ready.pop();
        sorted.push_back(boxes[i]);
        done[i] = true;
        for (std::size_t j : after[i])
            if (--waitingFor[j] == 0)
                ready.push(keyOf(j));
    }
    // Only a cycle leaves boxes behind; they keep the plain front-to-door order.
    std::vector<Key> rest;
    for (std::size_t i = 0; i < n; ++i)
        if (!done[i])
            rest.push_back(keyOf(i));
    std::sort(rest.begin(), rest.end());
    for (const Key& k : rest)
        sorted.push_back(boxes[std::get<3>(k)]);
    boxes = std::move(sorted);
}

}  // namespace stowbel::dense::detail
