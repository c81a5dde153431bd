#include "order/model.h"

#include <array>

namespace stowbel {

namespace {

// Entries 14 and 15 repeat the colours of 7 and 6 under other names; reports rely on the names.
constexpr std::array<PaletteEntry, CargoPalette::kSize> kPalette{{
    {0x000080, "коричневый"},
    {0x008000, "зеленый"},
    {0x008080, "оливковый"},
    {0x800000, "темно-синий"},
    {0x800080, "пурпурный"},
    {0x808000, "темно-голубой"},
    {0x808080, "серый"},
    {0xC0C0C0, "серебрянный"},
    {0x0000FF, "красный"},
    {0x00FF00, "салатовый"},
    {0x00FFFF, "желтый"},
    {0xFF0000, "синий"},
    {0xFF00FF, "фиолетовый"},
    {0xFFFF00, "аквамарин"},
    {0xC0C0C0, "светло-серый"},
    {0x808080, "тёмно-серый"},
}};

}  // namespace

const PaletteEntry& CargoPalette::Entry(int index) {
    const int wrapped = ((index % kSize) + kSize) % kSize;
    return kPalette[static_cast<std::size_t>(wrapped)];
}

}  // namespace stowbel
