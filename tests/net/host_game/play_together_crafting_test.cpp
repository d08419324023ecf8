// What a joined player crafts is hers on the host too, over real ENet on 127.0.0.1: her game
// makes the result on its own side, and the host's copy of her items pays for it, so that she
// may eat it or drop it like anything she brought.

#include <gtest/gtest.h>

#include <algorithm>

#include "content/tables/craft_def.h"
#include "game/crafting/grid_crafting.h"
#include "game/crafting/player_crafting.h"
#include "game/crafting/recipes.h"
#include "game/rules/consumption_rules.h"
#include "game/inventory/crafting_station.h"
#include "world/edits/edit_kind.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

bool definedItem(uint16_t id) {
  const auto& defs = contentTables().itemDefs;
  return id < defs.size() && defs[id].defined;
}

// A recipe whose ingredients and result are all items of the content, and which passes the test;
// null for none.
template <typename Wanted>
const CraftDef* recipeWhere(Wanted wanted) {
  for (const CraftDef& recipe : contentTables().craftDefs) {
    if (recipe.resultCount() == 0 || !definedItem(recipe.result())) continue;
    const RecipeIngredients ingredients = recipeIngredients(recipe);
    if (ingredients[0].id == 0xFFFF) continue;
    const bool allItems = std::all_of(ingredients.begin(), ingredients.end(), [](const Ingredient& ingredient) {
      return ingredient.id == 0xFFFF || definedItem(ingredient.id);
    });
    if (allItems && wanted(recipe)) return &recipe;
  }
  return nullptr;
}

// Food: eaten, it heals.
bool makesFood(const CraftDef& recipe) {
  const Item made(recipe.result(), 0, 1, 0, 0);
  return isConsumable(made) && !isPotionItem(made.id) && contentTables().itemDefs[made.id].record.value() > 0;
}

// By hand from one ingredient, laid in one grid cell: the grid makes it from that cell alone.
bool madeFromOneCell(const CraftDef& recipe) {
  return recipe.station() == 0 && recipe.shape() == 0 && recipe.cellCount() == 1 && !recipe.equivalentsAllowed() &&
         !recipe.returnsContainers();
}

class PlayTogetherCrafting : public PlayTogether {
 protected:
  // Ann carries what the recipe asks for, as she brought it: her inventory and the host's copy.
  void carryIngredients(const CraftDef& recipe) {
    int slot = 0;
    for (const Ingredient& ingredient : recipeIngredients(recipe)) {
      if (ingredient.id == 0xFFFF) break;
      const auto x = static_cast<uint8_t>(slot % Inventory::kBackpackSide);
      const auto y = static_cast<uint8_t>(slot / Inventory::kBackpackSide);
      carry(*ann, {SlotKind::Backpack, x, y}, ingredient.id, ingredient.count);
      ++slot;
    }
  }
  // Ann cooks at a station of the kind standing beside her, in every world.
  void standAtStation(uint8_t kind) {
    if (kind == 0) return;
    MapBlock& beside = *hostWorld->cellAt(column + 1, ground->y + 1);
    BlockEdit set;
    set.kind = edit_kind::kSetLayerBlock;
    set.x = beside.x;
    set.y = beside.y;
    set.blockId = craftingStationByKind(kind).blockId;
    hostWorld->rules().editBlock(set, nullptr);
    MapBlock* seen = ann->world()->cellAt(beside.x, beside.y);
    ASSERT_TRUE(runUntil([&] { return seen->frontId() == set.blockId; })) << "the station stands in her world";
    ann->inventory().setCraftingStation(nullptr, seen, ann->world()->map().props());
    ASSERT_EQ(ann->inventory().station(), kind);
  }
  // Ann's game says she crafted at a station of the kind that stands nowhere near her.
  void pretendStation(uint8_t kind) {
    const Item standsFor(craftingStationByKind(kind).blockId, 0, 1, 0, 0);
    ann->inventory().setCraftingStation(&standsFor, nullptr, ann->world()->map().props());
    ASSERT_EQ(ann->inventory().station(), kind);
  }
  uint32_t hostCounts(uint16_t id) { return onHost(kAnn).items().countOf(id); }
  bool refusedAnything() const {
    return std::any_of(ann->log.messages.begin(), ann->log.messages.end(),
                       [](const std::string& text) { return text.find("You do not hold") != std::string::npos; });
  }
  SlotRef slotOf(uint16_t id) { return carriedSlot(ann->inventory(), id); }
  TreasureEntity* lyingOnHost(uint16_t id) {
    TreasureEntity* found = nullptr;
    session->entities().lists().forEach([&](RealEntity& entity) {
      auto* treasure = dynamic_cast<TreasureEntity*>(&entity);
      if (treasure != nullptr && !treasure->data.removed && treasure->item().id == id) found = treasure;
    });
    return found;
  }
};

TEST_P(PlayTogetherCrafting, FoodSheCraftedIsHersToEat) {
  const CraftDef* recipe = recipeWhere(makesFood);
  ASSERT_NE(recipe, nullptr) << "the content has a food to cook";
  const uint16_t food = recipe->result();
  standAtStation(recipe->station());
  carryIngredients(*recipe);
  const uint32_t before = hostCounts(food);
  ASSERT_EQ(PlayerCrafting(ann->player()).craft(*recipe), CraftOutcome::Made);
  ASSERT_TRUE(runUntil([&] { return hostCounts(food) == before + recipe->resultCount(); }))
      << "the host's copy gains what she made";
  for (const Ingredient& ingredient : recipeIngredients(*recipe)) {
    if (ingredient.id == 0xFFFF) break;
    if (ingredient.id != food) {
      EXPECT_EQ(hostCounts(ingredient.id), 0u) << "and lost what she made it of";
    }
  }

  const float hungry = ann->player().stats.maxHealth / 4;
  ann->player().health = hungry;
  const SlotRef mealSlot = slotOf(food);
  ASSERT_FALSE(mealSlot.isNone()) << "the food is in her inventory";
  Item* meal = ann->inventory().slotItem(mealSlot);
  ASSERT_TRUE(ann->game().consumeItem(meal));
  ASSERT_TRUE(runUntil([&] { return ann->player().health > hungry; })) << "the host fed her";
  settle();
  EXPECT_EQ(hostCounts(food), before + recipe->resultCount() - 1u) << "one eaten, out of the host's copy";
  EXPECT_FALSE(refusedAnything());
}

TEST_P(PlayTogetherCrafting, WhatSheCraftedAtTheGridLiesOnTheGroundWhenSheDropsIt) {
  const CraftDef* recipe = recipeWhere(madeFromOneCell);
  ASSERT_NE(recipe, nullptr) << "the content has a recipe of one grid cell";
  const uint16_t made = recipe->result();
  const uint16_t from = recipe->ingredient(0);
  ann->inventory().setSlot(craftGridSlot(4), newItem(from, 0, 1, 0, 0));
  onHost(kAnn).items().add(Item(from, 0, 1, 0, 0));
  ASSERT_TRUE(craftFromGrid(ann->player()).made);
  returnCraftArea(ann->inventory());
  ASSERT_TRUE(runUntil([&] { return hostCounts(made) >= recipe->resultCount(); }));

  const SlotRef madeSlot = slotOf(made);
  ASSERT_FALSE(madeSlot.isNone()) << "the result is in her inventory";
  ann->game().dropItem(ann->inventory().takeSlot(madeSlot));  // out of her inventory, as a drop takes it
  ASSERT_TRUE(runUntil([&] { return lyingOnHost(made) != nullptr; })) << "the host let it fall";
  EXPECT_FALSE(refusedAnything());
}

TEST_P(PlayTogetherCrafting, AStationCraftAwayFromAnyStationIsRefused) {
  const CraftDef* recipe = recipeWhere([](const CraftDef& each) { return each.station() != 0; });
  ASSERT_NE(recipe, nullptr) << "the content has a recipe made at a station";
  const uint16_t made = recipe->result();
  pretendStation(recipe->station());
  carryIngredients(*recipe);
  const uint32_t before = hostCounts(made);
  ASSERT_EQ(PlayerCrafting(ann->player()).craft(*recipe), CraftOutcome::Made);
  ASSERT_TRUE(runUntil([&] {
    const auto& told = ann->log.messages;
    return std::find(told.begin(), told.end(), "That craft needs its station beside you.") != told.end();
  })) << "she is told why";
  settle();
  EXPECT_EQ(hostCounts(made), before) << "the host's copy gained nothing";
  const RecipeIngredients ingredients = recipeIngredients(*recipe);
  EXPECT_EQ(hostCounts(ingredients[0].id), ingredients[0].count) << "and spent nothing";
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherCrafting, ::testing::Values(false));

}  // namespace
}  // namespace nettest
