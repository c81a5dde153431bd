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
    return cargo == nullptr ? std::string() : CargoSizes(*cargo, format);
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

std::string LoadLimitText(const std::optional<double>& limit, const NumberFormat& format) {
    if (!limit) {
        return {};
    }
    if (*limit == 0) {
        return "не штабелировать";
    }
    return FormatGeneral(*limit, format);
}

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

std::vector<LoadingListRow> GroupIdenticalRows(const std::vector<LoadingListRow>& rows) {
    const auto same = [](const LoadingListRow& a, const LoadingListRow& b) {
        return a.stack.line == b.stack.line && a.stack.shape == b.stack.shape &&
               a.stack.count == b.stack.count && a.lay == b.lay && a.sizes == b.sizes &&
               a.mass == b.mass;
    };
    std::vector<LoadingListRow> grouped;
    for (const LoadingListRow& row : rows) {
        if (!grouped.empty() && same(grouped.back(), row)) {
            LoadingListRow& run = grouped.back();
            run.lastNumber = row.number;
            run.xLast = std::max(run.xLast, row.x);
            run.yLast = std::max(run.yLast, row.y);
            continue;
        }
        grouped.push_back(row);
        grouped.back().xLast = row.x;
        grouped.back().yLast = row.y;
    }
    return grouped;
}

std::optional<double> ContainerMass(const RunResult& result, int container) {
    for (const ContainerWeight& weight : result.weights) {
        if (weight.container == container) {
            return weight.mass;
        }
    }
    return std::nullopt;
}

std::string CargoSizes(const PlanCargoLine& cargo, const NumberFormat& format) {
    const CargoType& type = cargo.type;
    return FormatGeneral(type.Length, format) + "×" + FormatGeneral(type.Width, format) + "×" +
           FormatGeneral(type.Height, format);
}

std::vector<NotLoadedLine> NotLoadedLines(const RunResult& result,
                                          const std::vector<PlanCargoLine>& cargo) {
    std::vector<NotLoadedLine> lines;
    for (std::size_t i = 0; i < cargo.size(); ++i) {
        NotLoadedLine line;
        line.type = static_cast<int>(i) + 1;
        line.cargo = &cargo[i];
        line.ordered = cargo[i].type.Quantity;
        for (const PlacedStack& stack : result.stacks) {
            if (stack.line == cargo[i].line) {
                line.placed += stack.count;
            }
        }
        if (line.Left() > 0) {
            lines.push_back(line);
        }
    }
    return lines;
}

}  // namespace stowbel
