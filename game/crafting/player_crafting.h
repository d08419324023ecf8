#pragma once
// Crafting one recipe for the local player, as the craft view does it: the craft rule
// (`craftRow`) runs over the player's inventory: the recipe must suit the station the player
// stands at, its ingredients must be in the inventory and the output slot must be free; they are
// taken, the result is made in the output slot (an unknown craft book entry is learned on the way)
// and moved into the inventory. The player's side of crafting (`CraftingPlayer`) is answered from
// the player.
//
// Main thread only.

#include <cstdint>
#include <string>

#include "game/crafting/craft_rule.h"
#include "game/crafting/crafting_player.h"

class Player;
struct CraftDef;

class PlayerCrafting final : public CraftingPlayer, public Crafter {
 public:
  explicit PlayerCrafting(Player& player) : player_(player) {}

  CraftOutcome craft(const CraftDef& recipe);

  Inventory& craftingInventory() override;
  const RecipeKnowledge& recipeKnowledge() const override;
  void learnEntry(uint16_t entry) override;
  void showNotice(const std::string& text) override;
  void refreshCraftView() override {}
  void refreshSlot(SlotRef) override {}
  void recordStat(uint16_t statistic, uint16_t id) override;

  bool hasStationFor(uint8_t station) const override;
  bool holdsIngredientsFor(const CraftDef& recipe) const override;
  bool hasRoomFor(const CraftDef& recipe) const override;
  // The recipe's units leave the inventory, the result is made in the output slot, and a joined
  // player's host hears what she spent.
  bool make(const CraftDef& recipe) override;

 private:
  Player& player_;
};

// The first recipe row whose result is the item, or null.
const CraftDef* recipeForResult(uint16_t itemId);
