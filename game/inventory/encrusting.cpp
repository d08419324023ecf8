#include "game/inventory/encrusting.h"

#include <array>

#include "content/items/item.h"

namespace {

// Ruby, sapphire, emerald, topaz, amethyst, opal, diamond, jade and onyx settings, in the order of
// the modifiers they give.
constexpr std::array<uint16_t, 9> kSettings = {1543, 1607, 1671, 1672, 1735, 1736, 1799, 1800, 1863};

}  // namespace

uint8_t settingModifier(uint16_t itemId) {
  for (size_t i = 0; i < kSettings.size(); ++i) {
    if (kSettings[i] == itemId) return static_cast<uint8_t>(i + 1);
  }
  return 0;
}

void encrustItem(Item& item, uint8_t modifier) {
  const bool full = item.maxDurability() != 0 && item.durability == item.maxDurability();
  item.word = (item.word & ~uint32_t{0xFF}) | modifier;
  if (full) item.durability = item.maxDurability();
}
