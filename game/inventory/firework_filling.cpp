#include "game/inventory/firework_filling.h"

#include "content/items/block_rules.h"
#include "content/items/item.h"
#include "content/items/item_ptr.h"
#include "game/inventory/inventory.h"
#include "game/player/player.h"
#include "world/rules/game.h"

namespace {

constexpr uint32_t kCodeMask = 0xF;

bool holds(const Item* item) { return item != nullptr && !item->isNone(); }

}  // namespace

uint8_t paintCode(const Item* item) {
  if (!holds(item)) return 0;
  const std::vector<ColoredBlock>& paints = coloredBlocks();
  for (size_t row = 0; row < paints.size(); ++row) {
    if (paints[row].blockId == item->id) return static_cast<uint8_t>(row + 1);
  }
  return 0;
}

// The codes fill the places from the lowest up, so the first empty place ends them.
uint8_t fireworkCodes(uint32_t word) {
  uint8_t codes = 0;
  while (codes < firework::kCodes && ((word >> (4 * codes)) & kCodeMask) != 0) ++codes;
  return codes;
}

uint32_t fireworkWordWith(uint32_t word, uint8_t code) {
  const uint8_t place = fireworkCodes(word);
  if (place >= firework::kCodes) return word;
  return word | (static_cast<uint32_t>(code & kCodeMask) << (4 * place));
}

bool fillsFirework(const Item* paint, const Item* firework) {
  return paintCode(paint) != 0 && holds(firework) && firework->id == firework::kItem;
}

FireworkFill fillFirework(Inventory& inventory, SlotRef paint, SlotRef target) {
  FireworkFill fill;
  Item* firework = inventory.slotItem(target);
  const uint8_t code = paintCode(inventory.slotItem(paint));
  if (paint == target || !fillsFirework(inventory.slotItem(paint), firework)) return fill;
  if (fireworkCodes(firework->word) >= firework::kCodes) {
    fill.result = FireworkFill::Full;
    return fill;
  }
  const uint32_t word = fireworkWordWith(firework->word, code);
  if (firework->count == 1) {
    firework->word = word;
    inventory.useOneOf(paint);
    fill = {FireworkFill::Filled, target};
    return fill;
  }
  // One firework leaves its stack; the inventory stores a copy of it, filled.
  ItemPtr one = newItem(firework->id, static_cast<int8_t>(firework->variant), 1, 0, word);
  if (one == nullptr) return fill;
  --firework->count;
  bool newSlot = false;
  const SlotRef where = inventory.findSlotFor(one.get(), newSlot);
  if (where.isNone()) {
    ++firework->count;
    fill.result = FireworkFill::NoRoom;
    return fill;
  }
  inventory.useOneOf(paint);
  fill = {FireworkFill::Filled, where};
  return fill;
}

FireworkFill fillPlayersFirework(Player& player, SlotRef paint, SlotRef target) {
  Inventory& inventory = *player.inventory;
  const Item* paintItem = inventory.slotItem(paint);
  const Item* firework = inventory.slotItem(target);
  const uint16_t paintId = paintItem != nullptr ? paintItem->id : 0;
  const uint32_t before = firework != nullptr ? firework->word : 0;
  const FireworkFill fill = fillFirework(inventory, paint, target);
  GameHostRequests* host = player.game != nullptr ? player.game->hostRequests() : nullptr;
  if (fill.result == FireworkFill::Filled && host != nullptr) host->reportFireworkFilled(paintId, before);
  return fill;
}
