#include "calc/dense_report.h"

#include <algorithm>

#include "order/rounding.h"

namespace stowbel {

namespace {

std::string Percent(long double share) {
    return FormatInteger(SaturateTo<long long>(Round(100 * std::clamp(share, 0.0L, 1.0L))));
}

std::string ShareText(const LineShare& share) {
    std::string where;
    if (share.onFloor > 0) {
        where = "на полу " + FormatInteger(share.onFloor);
    }
    if (share.onCargo > 0) {
        where +=
            (where.empty() ? "" : ", ") + std::string("на грузе ") + FormatInteger(share.onCargo);
    }
    return "конт. " + FormatInteger(share.container) + " - " +
           FormatInteger(share.onFloor + share.onCargo) + " (" + where + ")";
}

}  // namespace

std::string DensePlacementLine(int quantity, const std::vector<LineShare>& shares) {
    int placed = 0;
    std::string parts;
    for (const LineShare& share : shares) {
        if (share.onFloor + share.onCargo == 0) {
            continue;
        }
        placed += share.onFloor + share.onCargo;
        parts += (parts.empty() ? "" : ", ") + ShareText(share);
    }
    if (placed == 0) {
        return " Не размещено ни одного места из " + FormatInteger(quantity) + ".";
    }
    return " Размещено " + FormatInteger(placed) + " из " + FormatInteger(quantity) +
           " мест: " + parts + ".";
}

std::string ContainerFillLine(int container, long double volumeShare, long double floorShare) {
    return "Конт. " + FormatInteger(container) + ": заполнено " + Percent(volumeShare) +
           " % объёма и " + Percent(floorShare) + " % площади пола.";
}

std::string TimeLimitLine(double seconds, const NumberFormat& format) {
    return "Поиск остановлен ограничением времени " + FormatGeneral(seconds, format) +
           " с: план может быть не лучшим.";
}

}  // namespace stowbel
