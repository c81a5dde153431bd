#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace stowbel {

// One generated order: its text and the state of the option "Чередовать выравнивание".
struct GeneratedOrder {
    std::string text;
    bool alternate = true;
};

// What the generator may add beyond the rows' orders; without it, the orders of a seed stay
// as they always were.
struct GeneratorOptions {
    bool anySide = false;  // V_ROTATE 2 on some lines
    bool masses = false;   // a payload and unit masses on some orders
};

// Realistic orders from a seed: truck bodies and sea containers of everyday sizes, every mode,
// side clearances of 0 to 100 mm and gaps of 0 to 50 mm, pallets, boxes and drums of everyday
// sizes with their turn and stand-on-end flags, a few cargo lines of up to a few hundred units.
// The same seed always gives the same orders.
class OrderGenerator {
public:
    explicit OrderGenerator(std::uint64_t seed, GeneratorOptions options = {})
        : random_(seed), options_(options) {}

    GeneratedOrder Next();

private:
    // A whole number from lo to hi, both included.
    int Between(int lo, int hi);
    bool Chance(int percent) { return Between(1, 100) <= percent; }
    std::string ContainerLine();
    std::string CargoLine();
    std::string Size(int millimetres);

    std::mt19937_64 random_;
    GeneratorOptions options_;
};

}  // namespace stowbel
