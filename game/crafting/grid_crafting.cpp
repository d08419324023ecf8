#include "game/crafting/grid_crafting.h"

#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "game/crafting/craft_recipe.h"
#include "game/crafting/craft_spending.h"
#include "game/crafting/player_crafting.h"
#include "game/inventory/inventory.h"
#include "game/player/player.h"

namespace {

// What a ranged weapon shoots: an item of the ammunition kind with its ranged record.
bool isAmmunition(const Item& item) {
  constexpr uint8_t kAmmunitionKind = 7;
  const ItemDef* def = item.definition();
  return def != nullptr && def->record.kind() == kAmmunitionKind && def->rangedSpec != nullptr;
}

constexpr SlotRef kOutput{SlotKind::Single, 0, 0};
constexpr int kGridCells = Inventory::kGridSide * Inventory::kGridSide;

// Every layout counts one unit per filled cell, so each filled cell gives one.
CraftSpending useOneOfEachCell(Inventory& inventory) {
  CraftSpending spent;
  for (int cell = 0; cell < kGridCells; ++cell) {
    const SlotRef slot = craftGridSlot(cell);
    Item* item = inventory.slotItem(slot);
    if (item == nullptr || item->isNone()) continue;
    spent.add(item->id);
    if (item->count > 1) {
      --item->count;
      continue;
    }
    inventory.takeSlot(slot);  // its last unit is used up
  }
  return spent;
}

}  // namespace

GridCraft craftFromGrid(Player& player) {
  GridCraft result;
  if (player.inventory == nullptr) return result;
  Inventory& inventory = *player.inventory;
  result.match = matchCraftGrid(inventory, inventory.station());
  if (result.match.status != GridMatch::Ready) return result;
  PlayerCrafting crafting(player);
  const CraftDef& recipe = contentTables().craftDefs[static_cast<size_t>(result.match.recipe)];
  if (!craftRecipe(crafting, recipe)) return result;
  reportCraft(player, recipe, useOneOfEachCell(inventory));
  result.made = true;
  return result;
}

void returnCraftArea(Inventory& inventory) {
  inventory.returnCraftGridItems();
  Item* output = inventory.slotItem(kOutput);
  // The output is also the ammunition slot: a bobber or arrows laid there wait for the weapon.
  if (output == nullptr || output->isNone() || isAmmunition(*output)) return;
  // A creative inventory stores nothing it is handed: the stack stays in the cell, not lost.
  if (inventory.creative()) return;
  bool newSlot = false;
  if (inventory.findSlotFor(output, newSlot).isNone()) return;
  inventory.takeSlot(kOutput);  // the inventory stored a copy of it
}
