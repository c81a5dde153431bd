#include "order_generator.h"

#include <array>

namespace stowbel {

namespace {

struct Body {
    int width, length, height;
};

// Inner sizes of common sea containers and truck bodies.
constexpr std::array<Body, 10> kBodies{{{2352, 5898, 2393},
                                        {2352, 12032, 2393},
                                        {2352, 12032, 2698},
                                        {2480, 13620, 2700},
                                        {2450, 13600, 2500},
                                        {2450, 16100, 2200},
                                        {2450, 16800, 2200},
                                        {2200, 6200, 2200},
                                        {2300, 12000, 2100},
                                        {2350, 14846, 2400}}};

struct Pallet {
    int width, length;
};

// Euro, industrial, US and other pallet footprints.
constexpr std::array<Pallet, 10> kPallets{{{800, 1200},
                                           {1000, 1200},
                                           {1200, 1200},
                                           {1140, 1140},
                                           {1100, 1100},
                                           {600, 800},
                                           {800, 1000},
                                           {1016, 1219},
                                           {1067, 1067},
                                           {1165, 1165}}};

constexpr std::array<const char*, 4> kModes{"ISIN", "HMAN", "IDBL", "HMANIDBL"};

}  // namespace

int OrderGenerator::Between(int lo, int hi) {
    return lo + static_cast<int>(random_() % static_cast<std::uint64_t>(hi - lo + 1));
}

// Whole millimetres mostly; now and then half a millimetre more, as measured sizes come.
std::string OrderGenerator::Size(int millimetres) {
    return std::to_string(millimetres) + (Chance(5) ? ".5" : "");
}

std::string OrderGenerator::ContainerLine() {
    Body body = kBodies[static_cast<std::size_t>(Between(0, kBodies.size() - 1))];
    if (Chance(30)) {
        body = {Between(2000, 2550), Between(4000, 17000), Between(1800, 3000)};
    }
    const int clearance = Chance(30) ? 0 : Between(1, 100);
    const int gap = Chance(30) ? 0 : Between(1, 50);
    const int mode = Between(1, 100);
    const char* name = mode <= 40   ? kModes[0]
                       : mode <= 75 ? kModes[1]
                       : mode <= 90 ? kModes[2]
                                    : kModes[3];
    return Size(body.width) + "," + Size(body.length) + "," + Size(body.height) + "," +
           std::to_string(clearance) + "," + std::to_string(gap) + "," + name;
}

std::string OrderGenerator::CargoLine() {
    const int kind = Between(1, 100);
    int width = 0;
    int length = 0;
    int height = 0;
    bool square = true;
    if (kind <= 45) {
        const Pallet pallet = kPallets[static_cast<std::size_t>(Between(0, kPallets.size() - 1))];
        width = pallet.width;
        length = pallet.length;
        if (Chance(20)) {
            std::swap(width, length);
        }
        height = Between(300, 2400);
    } else if (kind <= 80) {
        width = Between(200, 1000);
        length = Between(300, 1400);
        height = Between(200, 1200);
    } else {
        square = false;
        length = Between(400, 1000);  // the diameter
        width = length;
        height = Between(500, 1300);
    }
    if (Chance(20)) {
        width += Between(0, 50);
        length += Between(0, 50);
    }
    const int many = Between(1, 100);
    const int quantity = many <= 50   ? Between(1, 50)
                         : many <= 85 ? Between(51, 200)
                                      : Between(201, 400);
    // Drawn in this order so that the orders of a seed stay as they were.
    std::string stand = Chance(30) ? "1" : "0";
    const std::string turn = Chance(50) ? "1" : "0";
    if (options_.anySide && Chance(25)) {
        stand = "2";
    }
    return Size(width) + "," + Size(length) + "," + Size(height) + (square ? ",SQR," : ",RND,") +
           turn + "," + stand + "," + std::to_string(quantity);
}

GeneratedOrder OrderGenerator::Next() {
    GeneratedOrder order;
    order.alternate = Chance(70);
    const bool weighed = options_.masses && Chance(40);
    order.text = ContainerLine();
    if (weighed) {
        order.text += "," + std::to_string(Between(2, 30) * 1000);
    }
    order.text += "\n";
    const int lines = Between(1, 5);
    for (int i = 0; i < lines; ++i) {
        order.text += CargoLine();
        if (weighed) {
            order.text += "," + std::to_string(Between(5, 900));
        }
        order.text += "\n";
    }
    return order;
}

}  // namespace stowbel
