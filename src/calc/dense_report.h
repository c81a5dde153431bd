#pragma once

#include <string>
#include <vector>

#include "order/number_format.h"

namespace stowbel {

// Where the units of one cargo line went in one container.
struct LineShare {
    int container = 1;
    int onFloor = 0;  // units whose lowest face rests on the floor
    int onCargo = 0;  // units standing on other cargo
};

// " Размещено 12 из 20 мест: конт. 1 - 12 (на полу 8, на грузе 4)." or, without a place for
// any unit, " Не размещено ни одного места из 20."
std::string DensePlacementLine(int quantity, const std::vector<LineShare>& shares);

// "Конт. 1: заполнено 87 % объёма и 95 % площади пола."
std::string ContainerFillLine(int container, long double volumeShare, long double floorShare);

// "Поиск остановлен ограничением времени 10 с: план может быть не лучшим."
std::string TimeLimitLine(double seconds, const NumberFormat& format);

}  // namespace stowbel
