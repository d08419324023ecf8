#pragma once
// Crafting one recipe for the local player, as the craft view does it: the recipe must suit the
// station the player stands at and its ingredients must be in the inventory; they are taken, the
// result is made in the output slot (an unknown craft book entry is learned on the way) and moved
// into the inventory. The player's side of crafting (`CraftingPlayer`) is answered from the player.
//
// Main thread only.

#include <cstdint>
#include <string>

#include "game/crafting/crafting_player.h"

class Player;
struct CraftDef;

enum class CraftOutcome : uint8_t {
  Made,
  MadeInResult,  // made, and left in the result cell for the player to take
  WrongStation,
  MissingIngredients,
  NoRoom,  // the output could not be made or stored
};

class PlayerCrafting final : public CraftingPlayer {
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

 private:
  Player& player_;
};

// The first recipe row whose result is the item, or null.
const CraftDef* recipeForResult(uint16_t itemId);
