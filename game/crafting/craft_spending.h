#pragma once
// What one craft used up, unit by unit, and whether a list of used-up units pays for a recipe.
// A joined player's game hands the list to its host with the recipe's row (`reportCraft`), and
// the host, which keeps its own count of her items, takes exactly those units out of that count;
// so the list must be what the player's inventory really lost, equivalents included.
//
// Main thread only.

#include <cstdint>
#include <span>
#include <vector>

#include "world/rules/game.h"

class Player;
struct CraftDef;

// At most one unit of each craft grid cell, and no recipe asks for more.
constexpr uint32_t kMostCraftUnits = 9;

class CraftSpending {
 public:
  // One unit of the id was used up.
  void add(uint16_t id);
  std::span<const CraftedStack> stacks() const { return stacks_; }

 private:
  std::vector<CraftedStack> stacks_;
};

// True when the units cover every ingredient of the recipe (equivalents as the recipe allows)
// and every unit is one of its ingredients: a list that pays with other items pays for nothing.
bool spendingPaysFor(const CraftDef& recipe, std::span<const CraftedStack> spent);

// A networked game's host hears of the craft; alone there is nobody to tell.
void reportCraft(Player& player, const CraftDef& recipe, const CraftSpending& spent);
