#pragma once
// What crafting a recipe needs of the player beyond its inventory: its recipe knowledge and how
// it learns, the views it refreshes and its statistics. The local player implements it; tests
// record the calls. Main thread only.

#include <cstdint>
#include <string>

#include "game/inventory/slot_ref.h"

class Inventory;
class RecipeKnowledge;

class CraftingPlayer {
 public:
  virtual Inventory& craftingInventory() = 0;
  virtual const RecipeKnowledge& recipeKnowledge() const = 0;
  // The player's own learn operation for a craft book entry.
  virtual void learnEntry(uint16_t entry) = 0;
  // The notice view's text (a newly learned entry's name).
  virtual void showNotice(const std::string& text) = 0;
  virtual void refreshCraftView() = 0;
  virtual void refreshSlot(SlotRef slot) = 0;
  virtual void recordStat(uint16_t statistic, uint16_t id) = 0;

 protected:
  ~CraftingPlayer() = default;
};
