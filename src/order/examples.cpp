#include "order/examples.h"

namespace stowbel {

namespace {

constexpr std::string_view kContainerHeader =
    "//Ширина,Длина,Высота,ОтступПоБортам,ОтступМеждуГЕ,Режим";
constexpr std::string_view kCargoHeader =
    "//ГЕ-Ширина,Длина,Высота,Тип(SQR,RND),H_ROTATE(Да-1,Нет-0),V_ROTATE(Да-1,Нет-0),QTY(шт)";

}  // namespace

std::vector<std::string> ExampleOrder(std::string_view name) {
    if (name == "HMAN") {
        return {
            std::string(kContainerHeader),
            "2450,16100,2200,50,0,HMAN",
            std::string(kCargoHeader),
            "800,1200,2100,SQR,1,0,20",
            "1000,1200,2150,SQR,0,0,36",
            "800,1000,1000,SQR,1,0,50",
            "//Получить сколько машин нужно (не более 5 на рисунке), чтобы увезти это",
        };
    }
    return {
        std::string(kContainerHeader),
        "2450,16800,2200,50,30,ISIN",
        std::string(kCargoHeader),
        "800,1200,2100,SQR,1,0,10",
        "1000,1200,2150,SQR,0,0,16",
        "800,1000,1000,SQR,1,0,20",
        "//Получить сколько влезет в машину. Учесть что третий груз может быть в 2 ряда, а второй "
        "- "
        "грузить по ширине.",
    };
}

}  // namespace stowbel
