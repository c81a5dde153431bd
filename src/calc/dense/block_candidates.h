#pragma once

// Candidate blocks for one free space: blocks of identical boxes in every allowed orientation,
// shaped to the space and to the boxes left, and single-kind floor patterns in tiers where a
// pattern holds more per tier than a plain grid.

#include <cstdint>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "calc/dense/floor_pattern.h"
#include "calc/dense/packing_state.h"

namespace stowbel::dense::detail {

// Floor patterns solved so far, by floor and box footprint. Blocks point into it, so it lives as
// long as any plan made with it.
class PatternStore {
public:
    const FloorPattern& Pattern(std::int64_t sizeX, std::int64_t sizeY, std::int64_t a,
                                std::int64_t b);

private:
    std::map<std::tuple<std::int64_t, std::int64_t, std::int64_t, std::int64_t>,
             std::unique_ptr<FloorPattern>>
        patterns_;
};

class BlockMaker {
public:
    BlockMaker(const Problem& problem, PatternStore& patterns)
        : problem_(problem), patterns_(patterns) {}

    // Appends the candidates for the space, best first.
    void Candidates(const State& state, const Cuboid& space, std::vector<Block>& out);

private:
    void GridBlocks(int kind, int orientation, const Cuboid& space, int available,
                    std::vector<Block>& out) const;
    void PatternBlock(int kind, int orientation, const Cuboid& space, int available,
                      std::vector<Block>& out);
    const Problem& problem_;
    PatternStore& patterns_;
};

// Whether block a is the better choice for a space than block b: more volume, then earlier
// kinds, then a fixed order of shapes.
bool BetterBlock(const Block& a, const Block& b);

}  // namespace stowbel::dense::detail
