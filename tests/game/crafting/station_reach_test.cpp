// Crafting at a station lasts while the player stays next to it: stepping out of its reach,
// breaking it or going to another world brings the inventory back to crafting by hand.

#include "game/player/player_body.h"
#include "game/rules/block_use.h"
#include "tests/game/game_fixture.h"

namespace game_test {
namespace {

constexpr uint16_t kAnvil = 38;  // a station block of the station table, kind 4
constexpr uint8_t kAnvilKind = 4;

class StationReachTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    defineBlock(kAnvil, {.flags = bits({36}), .transparency = 1});
    remakeWorld();
    floorAt(5);
    player->setCell(10, 6);
    put(9, 6, kAnvil);
    useStationOrClock(*world, at(9, 6), MapBlock::kFront, *player);
  }
  // The player steps into the column, as its body does when it crosses a cell's edge.
  void stepTo(uint32_t column) {
    player->cellX = column;
    player->moveToCell(nullptr);
  }
};

TEST_F(StationReachTest, TheStationHoldsNextToThePlayerAndEndsOutOfItsReach) {
  ASSERT_EQ(player->inventory->station(), kAnvilKind);
  ASSERT_TRUE(player->inventory->stationPlace().has_value());
  EXPECT_EQ(player->inventory->stationPlace()->x, 9);
  stepTo(8);
  EXPECT_EQ(player->inventory->station(), kAnvilKind) << "one column past it is still next to it";
  stepTo(11);
  EXPECT_EQ(player->inventory->station(), 0);
  EXPECT_FALSE(player->inventory->stationPlace().has_value());
  stepTo(10);
  EXPECT_EQ(player->inventory->station(), 0) << "coming back is not using it again";
}

TEST_F(StationReachTest, WalkingAwayEndsCraftingAtTheStation) {
  player->setMoveKeys(MotionEvent::kRight);
  for (int tick = 0; tick < 240 && player->cellX < 13; ++tick) ticks(1);
  ASSERT_GE(player->cellX, 13u) << "the player walked off";
  EXPECT_EQ(player->inventory->station(), 0);
}

TEST_F(StationReachTest, ABrokenStationOrAnotherWorldIsNoStation) {
  put(9, 6, 0);
  player->keepCraftingStationInReach();
  EXPECT_EQ(player->inventory->station(), 0);

  put(9, 6, kAnvil);
  useStationOrClock(*world, at(9, 6), MapBlock::kFront, *player);
  ASSERT_EQ(player->inventory->station(), kAnvilKind);
  remakeWorld();
  EXPECT_EQ(player->inventory->station(), 0);
}

}  // namespace
}  // namespace game_test
