#include "game/rules/shot_cost.h"

#include "content/items/item.h"
#include "content/tables/item_def.h"
#include "game/inventory/inventory.h"
#include "game/player/player.h"

namespace {

constexpr SlotRef kAmmunitionSlot{SlotKind::Single, 0, 0};

void spendAmmunition(Inventory& inventory) {
  Item* ammunition = inventory.slotItem(kAmmunitionSlot);
  if (ammunition == nullptr || ammunition->isNone()) return;
  if (--ammunition->count > 0) return;
  inventory.takeSlot(kAmmunitionSlot);  // its last unit is spent
}

}  // namespace

bool shotUsesUpHeld(const Item& held) {
  const ItemDef* def = held.definition();
  if (def == nullptr || def->rangedSpec == nullptr || def->rangedSpec->castsBobber()) return false;
  return !def->rangedSpec->needsAmmunition() && def->record.freeStack() != 0;
}

bool shotSpendsAmmunition(const Item& held) {
  const ItemDef* def = held.definition();
  if (def == nullptr || def->rangedSpec == nullptr || def->rangedSpec->castsBobber()) return false;
  return def->rangedSpec->needsAmmunition();
}

void spendAmmunitionFor(Player& player, const Item& held, bool creative) {
  if (!creative && player.inventory != nullptr && shotSpendsAmmunition(held)) spendAmmunition(*player.inventory);
}

void payForShot(Player& player, const Item& held, bool creative) {
  if (creative || player.inventory == nullptr) return;
  if (shotSpendsAmmunition(held)) {
    spendAmmunition(*player.inventory);
  } else if (shotUsesUpHeld(held)) {
    player.useUpHeldItem();
  }
}
