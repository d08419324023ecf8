// The worn items' ambient effects: each appearance slot runs the effect of the item it shows (the
// look row's over the equipment row's), and only local players' sprites run them.

#include <gtest/gtest.h>

#include <vector>

#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "tests/view/player_sprite/player_sprite_fixture.h"
#include "view/player_sprite_local.h"
#include "view/player_sprite_look.h"

namespace player_sprite_test {
namespace {

constexpr uint16_t kGlowing = 40;
constexpr uint16_t kPlain = 41;

class WornEffectsTest : public PlayerSpriteTest {
 protected:
  void SetUp() override {
    PlayerSpriteTest::SetUp();
    resetContentTables();
    contentTables().itemDefs[kGlowing].wornEffect = [this](PlayerGraphical* player, Item* item) {
      runs.push_back({player, item});
    };
  }
  void TearDown() override {
    resetContentTables();
    PlayerSpriteTest::TearDown();
  }
  struct Run {
    PlayerGraphical* player;
    Item* item;
  };
  std::vector<Run> runs;
};

TEST_F(WornEffectsTest, EachSlotRunsTheEffectOfTheItemItShows) {
  auto player = playerAt(5, entity_test::kGround + 1);
  Item glowing(kGlowing, 0, 1, -1, 0);
  Item glowingToo(kGlowing, 0, 1, -1, 0);
  Item plain(kPlain, 0, 1, -1, 0);
  player->worn[0][0] = &glowing;     // shown: nothing over it
  player->worn[0][2] = &glowingToo;  // hidden by the look row's plain item
  player->worn[1][2] = &plain;
  runWornItemEffects(*player);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].player, player.get());
  EXPECT_EQ(runs[0].item, &glowing);
  EXPECT_EQ(appearanceItem(*player, 2), &plain);
}

TEST_F(WornEffectsTest, OnlyLocalPlayersRunTheirEffectsInTheAmbientPass) {
  auto local = playerAt(5, entity_test::kGround + 1);
  auto remote = playerAt(8, entity_test::kGround + 1);
  Item a(kGlowing, 0, 1, -1, 0);
  Item b(kGlowing, 0, 1, -1, 0);
  local->worn[0][1] = &a;
  remote->worn[0][1] = &b;
  PlayerSpriteLocal localSprite(*local, nullptr);
  PlayerSprite remoteSprite(*remote);
  PlayerSprite::runLocalWornItemEffects();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].player, local.get());
}

}  // namespace
}  // namespace player_sprite_test
