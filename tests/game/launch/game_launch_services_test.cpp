#include "game/launch/game_launch_services.h"

#include <gtest/gtest.h>

#include <string>

#include "content/format/game_tables_file.h"
#include "content/loader/content_database.h"
#include "content/loader/game_tables_loader.h"
#include "content/tables/content_tables.h"
#include "game/catalogue/item_catalogue.h"
#include "game/crafting/craft_book.h"
#include "game/rules/local_logic.h"
#include "game/session/game_local.h"
#include "game/session/running_world.h"

namespace {

std::string dataFile(const char* name) { return std::string(RUBBLE_DATA_DIR) + "/" + name; }

class GameLaunchServicesTest : public ::testing::Test {
 protected:
  void TearDown() override {
    resetGameTables();
    resetContentDatabase();
    installCraftBookEntries({});
  }
  GameLaunchServices services;
};

// The build's own data folder: what the start-up reads is what the game gets.
TEST_F(GameLaunchServicesTest, TheBuiltTablesReachTheCraftBookTheCatalogueAndEachDifficulty) {
  // As the start-up does: the content file first, then the game tables.
  loadContentDatabase(dataFile("data.dat"));
  ASSERT_TRUE(contentLoadError().empty()) << contentLoadError();
  ASSERT_TRUE(loadGameTables(dataFile(content::kGameTablesFileName))) << gameTablesLoadError();
  services.installGameTables();

  ASSERT_EQ(craftBookEntries().size(), size_t{kCraftBookEntryCount});
  std::array<size_t, kDiscoveryListCount> perList{};
  for (const CraftBookEntry& entry : craftBookEntries()) ++perList[entry.listKind];
  EXPECT_EQ(perList, (std::array<size_t, 5>{32, 47, 66, 81, 109}));

  // Every recipe of the built content names an entry the book has, with a name.
  size_t bound = 0;
  for (const CraftDef& recipe : contentTables().craftDefs) {
    if (recipe.bookEntry() == 0xFFFF) continue;
    ++bound;
    const CraftBookEntry* entry = craftBookEntry(recipe.bookEntry());
    ASSERT_NE(entry, nullptr) << recipe.bookEntry();
    EXPECT_FALSE(entry->name.empty());
  }
  EXPECT_GE(bound, size_t{kCraftBookEntryCount});

  // What a game's catalogue is filled with when it enters a creative world.
  ItemCatalogue catalogue;
  catalogue.setSources(catalogueSourcesFrom(gameTables()), game_tables::kPlanetMaskBits);
  EXPECT_EQ(catalogue.category(10).sources.size(), 436u);
  EXPECT_EQ(catalogue.category(0).sources.size(), 33u);
  for (size_t c = 0; c < ItemCatalogue::kCategoryCount; ++c) {
    EXPECT_FALSE(catalogue.category(c).sources.empty()) << c;
    // Every planet passes the filter of all planets.
    EXPECT_EQ(catalogue.category(c).passed, catalogue.category(c).sources.size()) << c;
  }

  // A character's difficulty id picks its row; the default id is the middle level.
  ASSERT_NE(difficultyRow(2), nullptr);
  EXPECT_EQ(difficultyRow(2)->level(), 2);
  EXPECT_TRUE(difficultyRow(0)->peaceful());
  EXPECT_TRUE(difficultyRow(4)->dropsQuickSlots() && difficultyRow(4)->dropsWorn());
  EXPECT_EQ(difficultyRow(5), nullptr);
}

TEST_F(GameLaunchServicesTest, WithoutTablesTheBookAndTheCatalogueAreEmptied) {
  installCraftBookEntries({{"Old", 0, ""}});
  resetGameTables();
  services.installGameTables();
  EXPECT_TRUE(craftBookEntries().empty());
  EXPECT_TRUE(catalogueSourcesFrom(gameTables())[1].empty());
}

TEST_F(GameLaunchServicesTest, AGameCountsOnceSetAndStartedAndRulesOnceSet) {
  EXPECT_FALSE(services.hasRunningGame());
  EXPECT_FALSE(services.hasCurrentLogic());
  EXPECT_FALSE(services.hasLocalPlayer());
  LocalLogic rules{nullptr, nullptr, nullptr};
  GameLocal game{&rules};
  setCurrentLogic(&rules);
  setCurrentGame(&game);
  EXPECT_TRUE(services.hasCurrentLogic());
  EXPECT_FALSE(services.hasRunningGame());
  game.setStarted(true);
  EXPECT_TRUE(services.hasRunningGame());
  setCurrentGame(nullptr);
  setCurrentLogic(nullptr);
  services.stopLocalPlayerMoving();  // no player: nothing to stop
  services.rebuildCollections();
  EXPECT_EQ(services.collections().size(), 11u);
}

}  // namespace
