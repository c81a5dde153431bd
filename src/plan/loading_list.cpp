#include "plan/loading_list.h"

#include <algorithm>
#include <tuple>

#include "order/rounding.h"
#include "plan/loading_order.h"

namespace stowbel {

namespace {

long long Mm(long double value) {
    return SaturateTo<long long>(Round(value));
}

std::string Sizes(const PlanCargoLine* cargo, const NumberFormat& format) {
    if (cargo == nullptr) {
        return {};
    }
    const CargoType& type = cargo->type;
    return FormatGeneral(type.Length, format) + "×" + FormatGeneral(type.Width, format) + "×" +
           FormatGeneral(type.Height, format);
}

std::string Lay(const PlacedStack& stack) {
    switch (stack.shape) {
        case StackShape::Rectangular:
            return std::string(stack.onEnd ? "торцем, " : "") +
                   (stack.across ? "поперёк" : "вдоль");
        case StackShape::Round:
            return "стоя";
        case StackShape::RoundLying:
            return "лёжа";
    }
    return {};
}

LoadingListRow MakeRow(const PlacedStack& stack, const Container& spec,
                       const std::vector<PlanCargoLine>& cargo, const NumberFormat& format) {
    LoadingListRow row;
    row.stack = stack;
    row.base = Mm(stack.base);
    const long double r = static_cast<long double>(stack.d) / 2;
    switch (stack.shape) {
        case StackShape::Rectangular:
            row.x = stack.x1;
            row.y = stack.y1;
            break;
        case StackShape::Round:
            row.x = Mm(stack.x - r);
            row.y = Mm(stack.y - r);
            break;
        case StackShape::RoundLying:
            row.x = Mm(stack.x - r);
            row.y = Mm(stack.y);
            row.bottom = Mm(static_cast<long double>(spec.Height) - stack.z - r);
            break;
    }
    const PlanCargoLine* line = FindCargoLine(cargo, stack.line);
    row.sizes = Sizes(line, format);
    row.lay = Lay(stack);
    if (stack.shape == StackShape::RoundLying) {
        row.lay += ", низ " + std::to_string(row.bottom);
    }
    if (line != nullptr && line->unitMass) {
        row.mass = *line->unitMass * stack.count;
    }
    return row;
}

}  // namespace

const PlanCargoLine* FindCargoLine(const std::vector<PlanCargoLine>& cargo, int line) {
    const auto found = std::find_if(cargo.begin(), cargo.end(),
                                    [line](const PlanCargoLine& c) { return c.line == line; });
    return found == cargo.end() ? nullptr : &*found;
}

std::vector<LoadingListRow> MakeLoadingList(const RunResult& result, int container,
                                            const Container& spec,
                                            const std::vector<PlanCargoLine>& cargo,
                                            const NumberFormat& format) {
    std::vector<LoadingListRow> rows;
    for (std::size_t i = 0; i < result.stacks.size(); ++i) {
        if (result.stacks[i].container == container) {
            rows.push_back(MakeRow(result.stacks[i], spec, cargo, format));
            rows.back().resultIndex = i;
        }
    }
    if (result.method == PlanMethod::Rows) {
        // Stable: stacks at the same place keep the order the run placed them in.
        std::stable_sort(rows.begin(), rows.end(),
                         [](const LoadingListRow& a, const LoadingListRow& b) {
                             return std::tie(a.x, a.bottom, a.y) < std::tie(b.x, b.bottom, b.y);
                         });
    } else {
        std::vector<SceneBox> spaces;
        for (const LoadingListRow& row : rows) {
            spaces.push_back(SpaceOf(row.stack, spec));
        }
        std::vector<LoadingListRow> ordered;
        for (const std::size_t i : LoaderOrder(spaces)) {
            ordered.push_back(std::move(rows[i]));
        }
        rows = std::move(ordered);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].number = static_cast<int>(i) + 1;
    }
    return rows;
}

std::optional<double> TotalMass(const std::vector<LoadingListRow>& rows) {
    double total = 0;
    for (const LoadingListRow& row : rows) {
        if (!row.mass) {
            return std::nullopt;
        }
        total += *row.mass;
    }
    return total;
}

}  // namespace stowbel
