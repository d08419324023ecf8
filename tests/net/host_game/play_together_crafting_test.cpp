// What a joined player crafts is hers on the host too, over real ENet on 127.0.0.1: her game
// makes the result on its own side, and the host's copy of her items pays for it, so that she
// may eat it or drop it like anything she brought. A craft the rule refuses on the host (no such
// recipe, an ingredient she does not hold, no station near her) spends nothing, and she is told
// the words the host's own player is told when the same rule refuses his craft.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "content/tables/craft_def.h"
#include "game/crafting/craft_rule.h"
#include "game/crafting/grid_crafting.h"
#include "game/crafting/player_crafting.h"
#include "game/crafting/recipes.h"
#include "game/rules/consumption_rules.h"
#include "game/inventory/crafting_station.h"
#include "net/wire/wire_out.h"
#include "world/edits/edit_kind.h"
#include "world/rules/game.h"
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
  bool told(const std::string& words) const {
    const auto& messages = ann->log.messages;
    return std::find(messages.begin(), messages.end(), words) != messages.end();
  }
  bool refusedAnything() const {
    return std::any_of(ann->log.messages.begin(), ann->log.messages.end(), [](const std::string& text) {
      return text.find("recipe") != std::string::npos || text.find("ingredients") != std::string::npos ||
             text.find("station") != std::string::npos;
    });
  }
  // Her game's craft message as it is, past her inventory: the row and the units it names.
  void sendCraft(uint16_t row, const std::vector<CraftedStack>& spent) {
    wire::WireOut out = wire::clientMessage(wire::PlayerMsg::Craft).u16(row);
    out.count(static_cast<uint32_t>(spent.size()));
    for (const CraftedStack& stack : spent) {
      const Item used(stack.id, 0, stack.count, 0, 0);
      out.item(&used);
    }
    ann->net.send(out.data(), static_cast<uint32_t>(out.size()), 0);
  }
  // What the host's own player is told when the rule refuses his craft of the row, alone.
  std::string hostPlayerTold(uint16_t row) {
    PlayerCrafting crafting(hostPlayer());
    const CraftOutcome outcome = craftRow(crafting, row);
    EXPECT_NE(outcome, CraftOutcome::Made) << "the host's own player is refused too";
    return craftRefusalText(outcome);
  }
  static uint16_t rowOf(const CraftDef& recipe) {
    return static_cast<uint16_t>(&recipe - contentTables().craftDefs.data());
  }
  static std::vector<CraftedStack> unitsOf(const CraftDef& recipe) {
    std::vector<CraftedStack> units;
    for (const Ingredient& ingredient : recipeIngredients(recipe)) {
      if (ingredient.id != 0xFFFF) units.push_back({ingredient.id, ingredient.count});
    }
    return units;
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

TEST_P(PlayTogetherCrafting, AStationCraftAwayFromAnyStationIsRefusedInTheWordsSheHearsAlone) {
  const CraftDef* recipe = recipeWhere([](const CraftDef& each) { return each.station() != 0; });
  ASSERT_NE(recipe, nullptr) << "the content has a recipe made at a station";
  const uint16_t made = recipe->result();
  pretendStation(recipe->station());
  carryIngredients(*recipe);
  const std::string alone = hostPlayerTold(rowOf(*recipe));
  const uint32_t before = hostCounts(made);
  ASSERT_EQ(PlayerCrafting(ann->player()).craft(*recipe), CraftOutcome::Made);
  ASSERT_TRUE(runUntil([&] { return told(alone); })) << "she is told why, as the host's player is: " << alone;
  settle();
  EXPECT_EQ(hostCounts(made), before) << "the host's copy gained nothing";
  const RecipeIngredients ingredients = recipeIngredients(*recipe);
  EXPECT_EQ(hostCounts(ingredients[0].id), ingredients[0].count) << "and spent nothing";
}

// A row no recipe has, and a hand recipe named with an ingredient her copy does not hold: each is
// refused as the host's own player's craft is, and her copy keeps what it held.
TEST_P(PlayTogetherCrafting, ACraftOfNoRecipeOrOfWhatSheLacksSpendsNothing) {
  const CraftDef* recipe = recipeWhere([](const CraftDef& each) {
    const RecipeIngredients ingredients = recipeIngredients(each);
    return each.station() == 0 && !each.returnsContainers() && ingredients[1].id == 0xFFFF;
  });
  ASSERT_NE(recipe, nullptr) << "the content has a hand recipe of one ingredient";
  const uint16_t ingredient = recipe->ingredient(0);
  const uint16_t needed = recipeIngredients(*recipe)[0].count;

  // No such row: her copy holds what the recipe asks, but the row names nothing.
  carryIngredients(*recipe);
  const auto noRow = static_cast<uint16_t>(contentTables().craftDefs.size());
  const std::string noRecipe = hostPlayerTold(noRow);
  sendCraft(noRow, unitsOf(*recipe));
  ASSERT_TRUE(runUntil([&] { return told(noRecipe); })) << "she is told as the host's player is: " << noRecipe;

  // One unit short of the recipe: the host's own player, holding nothing, is refused as she is.
  onHost(kAnn).items().take(ingredient, 1);
  const std::string lacking = hostPlayerTold(rowOf(*recipe));
  sendCraft(rowOf(*recipe), unitsOf(*recipe));
  ASSERT_TRUE(runUntil([&] { return told(lacking); })) << "she is told as the host's player is: " << lacking;
  settle();
  EXPECT_EQ(hostCounts(ingredient), needed - 1u) << "nothing was spent";
  EXPECT_EQ(hostCounts(recipe->result()), recipe->result() == ingredient ? needed - 1u : 0u) << "nothing was made";
}

// The control beside her: the host's own player crafts the same hand recipe by the same rule, and
// her craft, by hand, pays out of the host's copy of her and gives her the result.
TEST_P(PlayTogetherCrafting, SheAndTheHostsPlayerCraftByHandAlike) {
  const CraftDef* recipe = recipeWhere([](const CraftDef& each) {
    return each.station() == 0 && !each.returnsContainers() && !each.equivalentsAllowed();
  });
  ASSERT_NE(recipe, nullptr) << "the content has a hand recipe";
  const uint16_t made = recipe->result();
  int slot = 0;
  for (const CraftedStack& unit : unitsOf(*recipe)) {
    const auto x = static_cast<uint8_t>(slot % Inventory::kBackpackSide);
    const auto y = static_cast<uint8_t>(slot / Inventory::kBackpackSide);
    hostPlayer().inventory->setSlot({SlotKind::Backpack, x, y}, newItem(unit.id, 0, unit.count, 0, 0));
    ++slot;
  }
  EXPECT_EQ(PlayerCrafting(hostPlayer()).craft(*recipe), CraftOutcome::Made) << "the host's player crafts it";
  EXPECT_GE(hostPlayer().inventory->countItems(made, false, true), recipe->resultCount());

  carryIngredients(*recipe);
  const uint32_t before = hostCounts(made);
  ASSERT_EQ(PlayerCrafting(ann->player()).craft(*recipe), CraftOutcome::Made);
  EXPECT_FALSE(carriedSlot(ann->inventory(), made).isNone()) << "the result is in her inventory";
  ASSERT_TRUE(runUntil([&] { return hostCounts(made) == before + recipe->resultCount(); }))
      << "the host's copy gains what she made";
  for (const CraftedStack& unit : unitsOf(*recipe)) {
    if (unit.id != made) {
      EXPECT_EQ(hostCounts(unit.id), 0u) << "and lost what she made it of";
    }
  }
  settle();
  EXPECT_FALSE(refusedAnything());
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherCrafting, ::testing::Values(false));

}  // namespace
}  // namespace nettest
