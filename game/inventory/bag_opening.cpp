#include "game/inventory/bag_opening.h"

#include "content/items/item.h"
#include "content/items/item_rules.h"
#include "game/inventory/item_kinds.h"

bool isBag(const Item& item) { return itemKindOf(&item) == item_kind::kConsumable && fixedDropFor(item.id) != nullptr; }

BagOpening openBag(BagOpener& opener, uint16_t bagId) {
  if (!isBag(Item(bagId, 0, 1, 0, 0))) return BagOpening::NotABag;
  if (!opener.holdsBag(bagId)) return BagOpening::NotHeld;
  const DropRoll roll = rollDropFor(bagId);
  if (roll.item.isNone() || roll.item.count == 0) {
    opener.spendBag(bagId);
    return BagOpening::Empty;
  }
  if (!opener.handOut(roll.item)) return BagOpening::NoRoom;
  opener.spendBag(bagId);
  return BagOpening::Found;
}
