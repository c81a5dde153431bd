#pragma once

// The Bischoff & Ratcliff container loading instances (files BR1.txt ... BR7.txt) and their
// exact conversion into dense-loading kinds and into order lines.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "calc/dense/dense_pack.h"

namespace stowbel::bench {

struct BrBoxType {
    std::array<std::int64_t, 3> sizes{};  // cm
    std::array<bool, 3> mayBeHeight{};
    int quantity = 0;
};

struct BrInstance {
    int number = 0;
    std::int64_t seed = 0;
    std::int64_t length = 0, width = 0, height = 0;  // cm
    std::vector<BrBoxType> types;
};

// Reads every instance of one file; throws std::runtime_error naming the file when it cannot.
std::vector<BrInstance> ReadBrFile(const std::string& path);

// The container in millimetres, no gap, no clearance.
dense::Hold BrHold(const BrInstance& instance);

// One kind per box type, in millimetres: every orientation whose height may be the height, the
// other two sizes either way round along and across, equal extents once.
std::vector<dense::BoxKind> BrKinds(const BrInstance& instance);

// One order line per box type, "W,L,H,SQR,1,V,Q" in millimetres: V 0 when only H may be the
// height, 1 when H and L may, 2 when all three may.
std::vector<std::string> BrOrderLines(const BrInstance& instance);

}  // namespace stowbel::bench
