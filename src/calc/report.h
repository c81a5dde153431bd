#pragma once

#include <string>

#include "order/model.h"
#include "order/number_format.h"

namespace stowbel {

// The fixed fragments and lines of the report. Every text is used exactly as it stands,
// leading and trailing blanks included; " х " holds the Cyrillic letter.

// "Заказ {n} -  ({colour}) {length} х {width} х {height} - {quantity} мест "
std::string OrderLine(int typeCount, int colourIndex, const CargoType& type,
                      const NumberFormat& format);

// The start text of a type's block in the current container.
std::string StartFromFrontWall();
std::string StartAt(long double millimetres, const NumberFormat& format);
// A block that runs on into a next container.
std::string ContinuesFrom(long double millimetres, const NumberFormat& format);
std::string FillsWholeContainer();

struct RowTexts {
    std::string along;   // "{k} подд. вдоль контейнера, " or empty
    std::string across;  // "{m} подд. поперёк контейнера, " or empty
    long long high = 0;  // units in a stack
};
// unitsPerRow: units side by side in a row laid along the container (0 for a round type).
RowTexts MakeRowTexts(const Container& container, const CargoType& type, double unitsPerRow);

std::string RectangularLayingLine(const std::string& start, double usedLength, const RowTexts& rows,
                                  const NumberFormat& format);

// The combined line of a round type: its order line and its laying in one.
std::string RoundLayingLine(int typeCount, int colourIndex, const CargoType& type,
                            const std::string& start, double usedLength, double rowAngle,
                            long long high, const NumberFormat& format);

// Whole degrees of the angle between adjacent rows (radians) as the report shows it.
long long RowAngleDegrees(double rowAngle);

inline constexpr const char* kOnEndLine = "Укладка торцем";

// The payload of a container stopped a type: " Ограничено грузоподъёмностью: в конт. 1 вошло 12
// из 20 мест."
std::string PayloadLimitLine(int container, int placed, int offered);

// The type's load limit lets a stack hold fewer units than the height would: " Ограничено
// нагрузкой сверху: 1 подд. в высоту."
std::string LoadLimitLine(long long tiers);

std::string NotAllFitLine(int placed);
std::string AllFitLine(int containers, long double freeMillimetres, const NumberFormat& format);

}  // namespace stowbel
