// Each game keeps its own creative catalogue: entering a creative world fills it from the loaded
// tables, filtered by that game's player's planets, and its player's catalogue slots read it. A
// second game entering a creative world with other planets leaves the first game's lists alone.

#include <memory>
#include <utility>

#include "content/loader/game_tables_loader.h"
#include "content/tables/game_tables.h"
#include "game/catalogue/item_catalogue.h"
#include "game/inventory/inventory.h"
#include "tests/game/session/session_fixture.h"

namespace game_test {
namespace {

constexpr SlotRef kFirstEntry{SlotKind::Catalogue, 0, 0};
constexpr SlotRef kSecondEntry{SlotKind::Catalogue, 1, 0};
constexpr uint16_t kHomePlanets = 1;
constexpr uint16_t kSecondPlanet = 2;

class GameCatalogueTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    GameTables tables;
    tables.catalogue[0] = {{kStone, kHomePlanets}, {kGem, kSecondPlanet}};
    setGameTables(std::move(tables));
    saves.params.mode = 1;  // creative
  }
  void TearDown() override {
    SessionTest::TearDown();
    resetGameTables();
  }
  static uint16_t entryId(PlayerDesktopLocal& player, SlotRef slot) {
    const Item* item = player.inventory->slotItem(slot);
    return item != nullptr ? item->id : 0;
  }
};

TEST_F(GameCatalogueTest, EachGameShowsTheEntriesOfItsOwnPlayersPlanets) {
  running.player->unlockedPlanets = kHomePlanets;
  RunningWorld otherRunning;
  otherRunning.player = std::make_unique<PlayerDesktopLocal>(nullptr);
  otherRunning.player->unlockedPlanets = kSecondPlanet;
  GameLocal other{&rules, servicesWith(otherRunning)};

  game.begin(0, {});
  advance(0.1f, 0.01f);
  ASSERT_TRUE(game.isStarted());
  EXPECT_EQ(entryId(local(), kFirstEntry), kStone);
  EXPECT_EQ(entryId(local(), kSecondEntry), 0) << "the second planet's gem is filtered out";

  other.begin(0, {});
  advance(0.1f, 0.01f);
  ASSERT_TRUE(other.isStarted());
  EXPECT_EQ(entryId(*otherRunning.player, kFirstEntry), kGem);
  EXPECT_NE(&other.catalogue(), &game.catalogue());
  EXPECT_EQ(entryId(local(), kFirstEntry), kStone) << "the other game's entry left this one's filter alone";
  EXPECT_EQ(entryId(local(), kSecondEntry), 0);

  // What this game's player pins is its own.
  ASSERT_TRUE(game.catalogue().togglePinned(kStone));
  EXPECT_EQ(other.catalogue().pinned().ids[0], PinnedList::kFree);
  other.quit();
}

}  // namespace
}  // namespace game_test
