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

FireworkFill::Result fillOneFirework(FireworkFiller& filler, uint16_t paintId, uint32_t word) {
  const Item paint(paintId, 0, 1, 0, 0);
  const uint8_t code = paintCode(&paint);
  if (code == 0 || !filler.holdsPaint(paintId) || !filler.holdsFirework(word)) return FireworkFill::NotAFirework;
  if (fireworkCodes(word) >= firework::kCodes) return FireworkFill::Full;
  if (!filler.refill(word, fireworkWordWith(word, code))) return FireworkFill::NoRoom;
  filler.spendPaint(paintId);
  return FireworkFill::Filled;
}

namespace {

// The inventory's two slots: the paint's and the firework's. A firework of a stack gives one up,
// filled, to wherever the inventory finds room; the slot it went to is kept.
class SlotFiller final : public FireworkFiller {
 public:
  SlotFiller(Inventory& inventory, SlotRef paint, SlotRef target) : inventory_(inventory), paint_(paint), target_(target) {}

  bool holdsPaint(uint16_t paintId) const override {
    const Item* paint = inventory_.slotItem(paint_);
    return paint_ != target_ && holds(paint) && paint->id == paintId;
  }
  bool holdsFirework(uint32_t word) const override {
    const Item* firework = inventory_.slotItem(target_);
    return holds(firework) && firework->id == firework::kItem && firework->word == word;
  }
  bool refill(uint32_t, uint32_t filled) override {
    Item& firework = *inventory_.slotItem(target_);
    if (firework.count == 1) {
      firework.word = filled;
      where = target_;
      return true;
    }
    ItemPtr one = newItem(firework.id, static_cast<int8_t>(firework.variant), 1, 0, filled);
    if (one == nullptr) return false;
    --firework.count;
    bool newSlot = false;
    where = inventory_.findSlotFor(one.get(), newSlot);
    if (where.isNone()) ++firework.count;
    return !where.isNone();
  }
  void spendPaint(uint16_t) override { inventory_.useOneOf(paint_); }

  SlotRef where;

 private:
  Inventory& inventory_;
  SlotRef paint_;
  SlotRef target_;
};

}  // namespace

FireworkFill fillFirework(Inventory& inventory, SlotRef paint, SlotRef target) {
  const Item* paintItem = inventory.slotItem(paint);
  const Item* firework = inventory.slotItem(target);
  if (!fillsFirework(paintItem, firework)) return {};
  SlotFiller filler(inventory, paint, target);
  FireworkFill fill;
  fill.result = fillOneFirework(filler, paintItem->id, firework->word);
  if (fill.result == FireworkFill::Filled) fill.where = filler.where;
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
