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

void CheckWorkLimits(const Container& spec, const CargoType& type, int lineIndex,
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
    const double g = spec.UnitGap;
    double across = CellsAcross(spec.Width, type.Length + g);
    if (type.IsRectangular) {
        across = std::max(across, CellsAcross(spec.Width, type.Width + g));
    }
    if (type.MayStandOnEnd) {
        across = std::max(across, CellsAcross(spec.Width, type.Height + g));
        if (!type.IsRectangular) {
            // Lying drums: circles across the height, units end to end across the width.
            across = std::max({across, CellsAcross(spec.Height, type.Length + g),
                               CellsAcross(spec.Width, type.Height)});
        }
    }
    if (across > kMaxUnitsAcross) {
        Refuse(lineIndex,
               "ГЕ слишком малы для этого контейнера: поперёк него их поместилось бы "
               "больше " +
                   std::to_string(static_cast<int>(kMaxUnitsAcross)) + ".");
    }
}

// With a payload every unit's mass counts: a forgotten mass must not pass as 0 kg.
void RequireUnitMass(const Container& spec, const CargoType& type, int lineIndex) {
    if (spec.Payload && !type.UnitMass) {
        throw OrderError(OrderError::Kind::Validation,
                         "не указана масса одного места (кг) после количества, а в строке "
                         "контейнера задана грузоподъёмность.",
                         lineIndex + 1);
    }
}

}  // namespace stowbel
