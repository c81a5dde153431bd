#include "calc/dense/free_spaces.h"

#include <algorithm>
#include <cstddef>

namespace stowbel::dense::detail {
namespace {

bool Touches(std::int64_t a1, std::int64_t a2, std::int64_t b1, std::int64_t b2) {
    return a1 <= b2 && b1 <= a2;
}

bool Overlaps(std::int64_t a1, std::int64_t a2, std::int64_t b1, std::int64_t b2) {
    return a1 < b2 && b1 < a2;
}

bool InsideAny(const std::vector<Cuboid>& spaces, const Cuboid& c) {
    return std::any_of(spaces.begin(), spaces.end(),
                       [&](const Cuboid& s) { return s.Contains(c); });
}

// The larger floors two carried floors at one height make together, joined along x or y.
void Joined(const Cuboid& a, const Cuboid& b, std::vector<Cuboid>& out) {
    const std::int64_t z2 = std::min(a.z2, b.z2);
    if (Touches(a.x1, a.x2, b.x1, b.x2) && Overlaps(a.y1, a.y2, b.y1, b.y2))
        out.push_back({std::min(a.x1, b.x1), std::max(a.y1, b.y1), a.z1, std::max(a.x2, b.x2),
                       std::min(a.y2, b.y2), z2});
    if (Touches(a.y1, a.y2, b.y1, b.y2) && Overlaps(a.x1, a.x2, b.x1, b.x2))
        out.push_back({std::max(a.x1, b.x1), std::min(a.y1, b.y1), a.z1, std::min(a.x2, b.x2),
                       std::max(a.y2, b.y2), z2});
}

}  // namespace

void TakeFromSpaces(std::vector<Cuboid>& spaces, const Cuboid& taken) {
    std::vector<Cuboid> kept;
    std::vector<Cuboid> pieces;
    kept.reserve(spaces.size() + 8);
    for (const Cuboid& s : spaces) {
        if (!s.Overlaps(taken)) {
            kept.push_back(s);
            continue;
        }
        if (taken.x1 > s.x1)
            pieces.push_back({s.x1, s.y1, s.z1, taken.x1, s.y2, s.z2});
        if (taken.x2 < s.x2)
            pieces.push_back({taken.x2, s.y1, s.z1, s.x2, s.y2, s.z2});
        if (taken.y1 > s.y1)
            pieces.push_back({s.x1, s.y1, s.z1, s.x2, taken.y1, s.z2});
        if (taken.y2 < s.y2)
            pieces.push_back({s.x1, taken.y2, s.z1, s.x2, s.y2, s.z2});
        if (taken.z1 > s.z1)
            pieces.push_back({s.x1, s.y1, s.z1, s.x2, s.y2, taken.z1});
    }
    // A piece inside a space that was not cut, or inside another piece, is not maximal.
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        bool inside = InsideAny(kept, pieces[i]);
        for (std::size_t j = 0; j < pieces.size() && !inside; ++j)
            inside = j != i && pieces[j].Contains(pieces[i]) && (pieces[j] != pieces[i] || j < i);
        if (!inside)
            kept.push_back(pieces[i]);
    }
    spaces = std::move(kept);
}

void AddCarriedFloor(std::vector<Cuboid>& spaces, const Cuboid& room, bool mergeTops) {
    if (room.SizeX() <= 0 || room.SizeY() <= 0 || room.SizeZ() <= 0 || InsideAny(spaces, room))
        return;
    spaces.push_back(room);
    if (!mergeTops)
        return;
    std::vector<Cuboid> added;
    std::vector<Cuboid> frontier{room};
    for (int round = 0; round < 3 && !frontier.empty(); ++round) {
        std::vector<Cuboid> next;
        for (const Cuboid& f : frontier) {
            std::vector<Cuboid> joined;
            for (const Cuboid& s : spaces)
                if (s.z1 == f.z1 && s != f)
                    Joined(f, s, joined);
            for (const Cuboid& j : joined)
                if (j.SizeZ() > 0 && !InsideAny(spaces, j)) {
                    spaces.push_back(j);
                    next.push_back(j);
                    added.push_back(j);
                }
        }
        frontier = std::move(next);
    }
    // Only the joined floors can hold earlier spaces.
    if (!added.empty())
        std::erase_if(spaces, [&](const Cuboid& s) {
            return std::any_of(added.begin(), added.end(),
                               [&](const Cuboid& a) { return a != s && a.Contains(s); });
        });
}

void RemoveContainedSpaces(std::vector<Cuboid>& spaces) {
    std::vector<Cuboid> kept;
    kept.reserve(spaces.size());
    for (std::size_t i = 0; i < spaces.size(); ++i) {
        bool inside = false;
        for (std::size_t j = 0; j < spaces.size() && !inside; ++j)
            inside = j != i && spaces[j].Contains(spaces[i]) && (spaces[j] != spaces[i] || j < i);
        if (!inside)
            kept.push_back(spaces[i]);
    }
    spaces = std::move(kept);
}

}  // namespace stowbel::dense::detail
