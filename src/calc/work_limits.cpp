#include "calc/work_limits.h"

#include <algorithm>
#include <string>

#include "order/errors.h"

namespace stowbel {

namespace {

[[noreturn]] void Refuse(int lineIndex, const std::string& what) {
    throw OrderError(OrderError::Kind::Validation, what, lineIndex + 1);
}

// The most cells of the given size that fit across a span, in whichever orientation the type
// may take.
double CellsAcross(double span, double cell) {
    return cell > 0 ? span / cell : span;
}

}  // namespace

void CheckContainerLimit(int container, int lineIndex) {
    if (container > kMaxContainers) {
        Refuse(lineIndex, "для заказа нужно больше " + std::to_string(kMaxContainers) +
                              " контейнеров; разбейте его на несколько заказов.");
    }
}

void CheckWorkLimits(const Container& container, const CargoType& type, int lineIndex,
                     WorkTotals& totals) {
    totals.cargoLines += 1;
    if (totals.cargoLines > kMaxCargoLines) {
        Refuse(lineIndex, "в заказе больше " + std::to_string(kMaxCargoLines) +
                              " строк груза; разбейте его на несколько заказов.");
    }
    totals.units += type.Quantity;
    if (totals.units > kMaxUnitsPerRun) {
        Refuse(lineIndex, "в заказе больше " + std::to_string(kMaxUnitsPerRun) +
                              " мест; разбейте его на несколько заказов.");
    }
    if (!type.IsRectangular) {
        totals.roundUnits += type.Quantity;
        if (totals.roundUnits > kMaxRoundUnitsPerRun) {
            Refuse(lineIndex, "в заказе больше " + std::to_string(kMaxRoundUnitsPerRun) +
                                  " круглых мест (RND); разбейте его на несколько заказов.");
        }
    }
    const double g = container.UnitGap;
    double across = CellsAcross(container.Width, type.Length + g);
    if (type.IsRectangular) {
        across = std::max(across, CellsAcross(container.Width, type.Width + g));
    }
    if (type.MayStandOnEnd) {
        across = std::max(across, CellsAcross(container.Width, type.Height + g));
        if (!type.IsRectangular) {
            // Lying drums: circles across the height, units end to end across the width.
            across = std::max({across, CellsAcross(container.Height, type.Length + g),
                               CellsAcross(container.Width, type.Height)});
        }
    }
    if (across > kMaxUnitsAcross) {
        Refuse(lineIndex,
               "ГЕ слишком малы для этого контейнера: поперёк него их поместилось бы "
               "больше " +
                   std::to_string(static_cast<int>(kMaxUnitsAcross)) + ".");
    }
}

// With a payload every unit's mass counts: a forgotten mass must not pass as 0 kg. A load limit
// weighs what stands on a unit, so it too needs the mass of every unit of the order.
void RequireUnitMass(const Container& container, const CargoType& type, int lineIndex,
                     std::optional<int> loadLimitLine) {
    if (type.UnitMass) {
        return;
    }
    if (container.Payload) {
        throw OrderError(OrderError::Kind::Validation,
                         "не указана масса одного места (кг) после количества, а в строке "
                         "контейнера задана грузоподъёмность.",
                         lineIndex + 1);
    }
    if (loadLimitLine) {
        const std::string where = *loadLimitLine == lineIndex
                                      ? std::string("в ней")
                                      : "в строке " + std::to_string(*loadLimitLine + 1);
        throw OrderError(OrderError::Kind::Validation,
                         "не указана масса одного места (кг) после количества, а " + where +
                             " задана нагрузка сверху: она требует массы всех мест заказа.",
                         lineIndex + 1);
    }
}

}  // namespace stowbel
