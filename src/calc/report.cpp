#include "calc/report.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "order/rounding.h"

namespace stowbel {

namespace {

std::string Sizes(const CargoType& type, const NumberFormat& format) {
    return FormatGeneral(type.Length, format) + " х " + FormatGeneral(type.Width, format) + " х " +
           FormatGeneral(type.Height, format);
}

}  // namespace

std::string OrderLine(int typeCount, int colourIndex, const CargoType& type,
                      const NumberFormat& format) {
    return "Заказ " + FormatInteger(typeCount) + " - " + " (" +
           std::string(CargoPalette::Entry(colourIndex).name) + ") " + Sizes(type, format) + " - " +
           FormatInteger(type.Quantity) + " мест ";
}

std::string StartFromFrontWall() {
    return " от начала контейнера до ";
}

std::string StartAt(long double millimetres, const NumberFormat& format) {
    return " от " + FormatMetresToHundredths(millimetres, format) + " м. до ";
}

std::string ContinuesFrom(long double millimetres, const NumberFormat& format) {
    return " от " + FormatMetresToHundredths(millimetres, format) + " м. до конца контейнера, и ";
}

std::string FillsWholeContainer() {
    return " от начала контейнера до конца контейнера, и ";
}

RowTexts MakeRowTexts(const Container& spec, const CargoType& type, double fitDetail) {
    RowTexts texts;
    if (fitDetail > 0) {
        texts.along =
            FormatInteger(static_cast<long long>(Trunc(fitDetail))) + " подд. вдоль контейнера, ";
    }
    const long double m = Trunc(
        (static_cast<long double>(spec.Width) - static_cast<long double>(fitDetail) * type.Width) /
        type.Length);
    if (m > 0) {
        texts.across = FormatInteger(SaturateTo<long long>(m)) + " подд. поперёк контейнера, ";
    }
    texts.high = SaturateTo<long long>(Trunc(static_cast<long double>(spec.Height) / type.Height));
    return texts;
}

std::string RectangularLayingLine(const std::string& start, double usedLength, const RowTexts& rows,
                                  const NumberFormat& format) {
    return " Укладка " + start + FormatMetresToTenths(usedLength, format) +
           " м. по длине к-ра, Укладываем ряд - " + rows.along + rows.across +
           FormatInteger(rows.high) + " подд. в высоту";
}

long long RowAngleDegrees(double fitDetail) {
    const long double pi = std::numbers::pi_v<long double>;
    const long double phi = fitDetail;
    long double u = std::min(phi, pi / 2 - phi);
    u = std::min(u, 3 * pi / 2 - phi);
    return SaturateTo<long long>(Trunc(u * 180 / pi));
}

std::string RoundLayingLine(int typeCount, int colourIndex, const CargoType& type,
                            const std::string& start, double usedLength, double fitDetail,
                            long long high, const NumberFormat& format) {
    return OrderLine(typeCount, colourIndex, type, format) + " Укладка " + start +
           FormatMetresToHundredths(usedLength, format) +
           " м. по длине к-ра, со смещением соседних рядов на угол " +
           FormatInteger(RowAngleDegrees(fitDetail)) + "°,  " + FormatInteger(high) +
           " под. в высоту";
}

std::string PayloadLimitLine(int container, int placed, int offered) {
    return " Ограничено грузоподъёмностью: в конт. " + FormatInteger(container) + " вошло " +
           FormatInteger(placed) + " из " + FormatInteger(offered) + " мест.";
}

std::string NotAllFitLine(int placed) {
    return "Не все поддоны влезают в контейнер. Всего влезает " + FormatInteger(placed) +
           " поддонов.";
}

std::string AllFitLine(int containers, long double freeMillimetres, const NumberFormat& format) {
    return "Все поддоны влезают в " + FormatInteger(containers) + " конт. И остаётся " +
           FormatMetresToTenths(std::max(0.0L, freeMillimetres), format) +
           " м. свободного места по длине.";
}

}  // namespace stowbel
