// The worn items' ambient effects: each appearance slot runs the effect of the item it shows (the
// look row's over the equipment row's), and only local players' sprites run them.

#include <gtest/gtest.h>

#include <vector>

#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "engine/scene/inner_node.h"
#include "tests/view/player/player_sprite_fixture.h"
#include "view/player/player_sprite_local.h"
#include "view/player/player_sprite_look.h"

namespace player_sprite_test {
namespace {

constexpr uint16_t kGlowing = 40;
constexpr uint16_t kPlain = 41;

class WornEffectsTest : public PlayerSpriteTest {
 protected:
  void SetUp() override {
    PlayerSpriteTest::SetUp();
    resetContentTables();
    contentTables().itemDefs[kGlowing].wornEffect = [this](PlayerGraphical* player, Item* item, World*) {
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

namespace player_sprite_test {
namespace {

TEST_F(PlayerSpriteTest, TheLocalSpriteFollowsItsPlayerThroughTheCameraAndNoticesANewHeldItem) {
  auto player = playerAt(5, entity_test::kGround + 1);
  engine::Node* camera = engine::InnerNode::create();
  camera->retain();
  camera->setPosition(engine::Vec2(-player->position.x, -player->position.y));
  PlayerSpriteLocal sprite(*player, camera);
  sprite.perFrame();
  EXPECT_FLOAT_EQ(sprite.animator()->getPositionX(), 0.0f);
  EXPECT_FLOAT_EQ(sprite.animator()->getPositionY(), PlayerSprite::kRestLift);
  EXPECT_EQ(sprite.heldSprite()->getTextureRect().size.width, 0.0f);
  Item pick(2, 0, 1, -1, 0);
  player->held = &pick;
  sprite.perFrame();
  EXPECT_GT(sprite.heldSprite()->getTextureRect().size.width, 0.0f) << "the new item shows without being told";
  camera->release();
}

}  // namespace
}  // namespace player_sprite_test
