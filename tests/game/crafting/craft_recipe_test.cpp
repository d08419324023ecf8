// Crafting from the craft view: the output slot filled or topped up and the craft counted; a full
// or foreign output refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/crafting/craft_recipe.h"
#include "game/crafting/crafting_player.h"
#include "game/crafting/recipe_knowledge.h"
#include "tests/game/crafting/crafting_fixture.h"

namespace crafting_test {
namespace {

constexpr uint16_t kStew = 50;

class RecordingCrafter final : public CraftingPlayer {
 public:
  explicit RecordingCrafter(Inventory& inventory) : inventory_(inventory) {}
  Inventory& craftingInventory() override { return inventory_; }
  const RecipeKnowledge& recipeKnowledge() const override { return knowledge; }
  void learnEntry(uint16_t) override {}
  void showNotice(const std::string&) override {}
  void refreshCraftView() override { ++viewRefreshes; }
  void refreshSlot(SlotRef slot) override { refreshed.push_back(slot); }
  void recordStat(uint16_t statistic, uint16_t id) override { stats.push_back({statistic, id}); }

  RecipeKnowledge knowledge;
  int viewRefreshes = 0;
  std::vector<SlotRef> refreshed;
  std::vector<std::pair<uint16_t, uint16_t>> stats;

 private:
  Inventory& inventory_;
};

class CraftRecipeTest : public CraftingTest {
 protected:
  const CraftDef& recipe(const test_rows::Recipe& r) {
    test_rows::setRecipe(0, r);
    return contentTables().craftDefs[0];
  }

  RecordingCrafter crafter{inventory};
};

TEST_F(CraftRecipeTest, OutputIsMadeThenToppedUp) {
  const CraftDef& stew = recipe({.layout = 0, .result = kStew, .grid = {7}, .resultCount = 4});
  ASSERT_TRUE(craftRecipe(crafter, stew));
  ASSERT_NE(output(), nullptr);
  EXPECT_EQ(output()->id, kStew);
  EXPECT_EQ(output()->count, 4);
  ASSERT_TRUE(craftRecipe(crafter, stew));
  EXPECT_EQ(output()->count, 8);
  EXPECT_EQ(crafter.stats, (std::vector<std::pair<uint16_t, uint16_t>>{{2, kStew}, {2, kStew}}));
  EXPECT_EQ(crafter.viewRefreshes, 2);
  EXPECT_EQ(crafter.refreshed.size(), 18u) << "the nine grid slots each time";
}

TEST_F(CraftRecipeTest, OutputThatCannotTakeTheResultRefuses) {
  struct Case {
    const char* what;
    uint16_t id;
    uint16_t count;
    uint32_t word;
  } cases[] = {
      {"another item", 51, 1, 0},
      {"no room under 999", kStew, 996, 0},
      {"a modified stack", kStew, 1, 3},
  };
  const CraftDef& stew = recipe({.layout = 0, .result = kStew, .grid = {7}, .resultCount = 4});
  for (const Case& c : cases) {
    inventory.setSlot({SlotKind::Single, 0, 0}, newItem(c.id, 0, c.count, 0, c.word));
    EXPECT_FALSE(craftRecipe(crafter, stew)) << c.what;
    EXPECT_EQ(output()->count, c.count) << c.what;
  }
  EXPECT_TRUE(crafter.stats.empty());
}

}  // namespace
}  // namespace crafting_test
