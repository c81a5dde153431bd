#include "br_instances.h"

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <stdexcept>

namespace stowbel::bench {
namespace {

constexpr std::int64_t kMillimetresPerCentimetre = 10;

template <typename T>
T Read(std::istream& in, const std::string& path) {
    T value{};
    if (!(in >> value))
        throw std::runtime_error("cannot read the instances in " + path);
    return value;
}

}  // namespace

std::vector<BrInstance> ReadBrFile(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    const int count = Read<int>(in, path);
    std::vector<BrInstance> instances;
    for (int i = 0; i < count; ++i) {
        BrInstance inst;
        inst.number = Read<int>(in, path);
        inst.seed = Read<std::int64_t>(in, path);
        inst.length = Read<std::int64_t>(in, path);
        inst.width = Read<std::int64_t>(in, path);
        inst.height = Read<std::int64_t>(in, path);
        const int types = Read<int>(in, path);
        for (int t = 0; t < types; ++t) {
            BrBoxType type;
            Read<int>(in, path);  // the type's number
            for (std::size_t d = 0; d < 3; ++d) {
                type.sizes[d] = Read<std::int64_t>(in, path);
                type.mayBeHeight[d] = Read<int>(in, path) != 0;
            }
            type.quantity = Read<int>(in, path);
            inst.types.push_back(type);
        }
        instances.push_back(std::move(inst));
    }
    return instances;
}

dense::Hold BrHold(const BrInstance& instance) {
    dense::Hold hold;
    hold.length = instance.length * kMillimetresPerCentimetre;
    hold.width = instance.width * kMillimetresPerCentimetre;
    hold.height = instance.height * kMillimetresPerCentimetre;
    return hold;
}

std::vector<dense::BoxKind> BrKinds(const BrInstance& instance) {
    std::vector<dense::BoxKind> kinds;
    for (std::size_t t = 0; t < instance.types.size(); ++t) {
        const BrBoxType& type = instance.types[t];
        dense::BoxKind kind;
        kind.id = static_cast<int>(t) + 1;
        kind.quantity = type.quantity;
        for (std::size_t up = 0; up < 3; ++up) {
            if (!type.mayBeHeight[up])
                continue;
            const std::int64_t h = type.sizes[up] * kMillimetresPerCentimetre;
            const std::int64_t p = type.sizes[(up + 1) % 3] * kMillimetresPerCentimetre;
            const std::int64_t q = type.sizes[(up + 2) % 3] * kMillimetresPerCentimetre;
            for (const dense::Extent& e : {dense::Extent{p, q, h}, dense::Extent{q, p, h}})
                if (std::find(kind.orientations.begin(), kind.orientations.end(), e) ==
                    kind.orientations.end())
                    kind.orientations.push_back(e);
        }
        kinds.push_back(std::move(kind));
    }
    return kinds;
}

std::vector<std::string> BrOrderLines(const BrInstance& instance) {
    std::vector<std::string> lines;
    for (const BrBoxType& type : instance.types) {
        std::vector<std::int64_t> heights, others;
        for (std::size_t d = 0; d < 3; ++d)
            (type.mayBeHeight[d] ? heights : others)
                .push_back(type.sizes[d] * kMillimetresPerCentimetre);
        // H first, then L, then W: the sizes that may be the height take H and then L.
        std::vector<std::int64_t> hlw = heights;
        hlw.insert(hlw.end(), others.begin(), others.end());
        const std::size_t v = heights.size() >= 3 ? 2 : heights.size() == 2 ? 1 : 0;
        if (heights.empty())
            continue;  // no size may stand up: the box cannot be loaded at all
        lines.push_back(std::to_string(hlw[2]) + "," + std::to_string(hlw[1]) + "," +
                        std::to_string(hlw[0]) + ",SQR,1," + std::to_string(v) + "," +
                        std::to_string(type.quantity));
    }
    return lines;
}

}  // namespace stowbel::bench
