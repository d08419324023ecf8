// The world view's side of the player events: each event reaches the player's sprite or the world
// effects, a player without a sprite shows nothing, and the pick-up icon's flight.

#include <gtest/gtest.h>

#include "content/art/interface_layout.h"
#include "engine/render/texture2d.h"
#include "engine/sprite/sprite_batch_node.h"
#include "tests/view/player/player_sprite_fixture.h"
#include "view/effects/pickup_icon.h"
#include "view/player/world_view_player_events.h"

namespace player_sprite_test {
namespace {

using entity_test::kGround;

class PlayerEventsTest : public PlayerSpriteTest {
 protected:
  engine::Sprite* marker(PlayerSprite& sprite) {
    for (engine::Node* child : sprite.animator()->getChildren()) {
      if (child->getTag() == PlayerSprite::kMarkerTag) return dynamic_cast<engine::Sprite*>(child);
    }
    return nullptr;
  }
  WorldViewPlayerEvents events;
};

TEST_F(PlayerEventsTest, APlayerWithoutASpriteShowsNothing) {
  auto player = playerAt(5, kGround + 1);
  events.motionEvent(*player, 0);
  events.playAction(*player, WorldViewPlayerEvents::kSwing, 0);
  events.setFacing(*player, true);
  EXPECT_TRUE(sounds.played.empty());
}

TEST_F(PlayerEventsTest, MotionEventsStopASwingAndIdleSettlesTheBody) {
  auto player = playerAt(5, kGround + 1);
  Item pick(2, 0, 1, -1, 0);
  player->held = &pick;
  PlayerSprite sprite(*player);
  events.playAction(*player, WorldViewPlayerEvents::kSwing, 0);
  ASSERT_TRUE(sprite.animator()->arm().running());
  events.motionEvent(*player, 1);
  EXPECT_FALSE(sprite.animator()->arm().running());
  EXPECT_FALSE(heldMoving(sprite));
  EXPECT_TRUE(sprite.animating());
  EXPECT_EQ(sprite.motion(), 1);
  events.motionEvent(*player, WorldViewPlayerEvents::kIdle);
  EXPECT_FALSE(sprite.animating());
  EXPECT_FALSE(sprite.animator()->body().running());
  EXPECT_EQ(sprite.motion(), 0);
  EXPECT_TRUE(sprite.heldSprite()->isVisible()) << "the item is back in the hand at rest";
}

TEST_F(PlayerEventsTest, ActionsSwingTurnShowMarkersAndPlaySounds) {
  auto player = playerAt(5, kGround + 1);
  PlayerSprite sprite(*player);
  const float facing = sprite.animator()->getScaleX();
  events.playAction(*player, WorldViewPlayerEvents::kSwingFacing, 0);
  EXPECT_FLOAT_EQ(sprite.animator()->getScaleX(), facing) << "a swing to the right, facing right already";
  events.playAction(*player, WorldViewPlayerEvents::kSwingFacing, 1);
  EXPECT_FLOAT_EQ(sprite.animator()->getScaleX(), -facing) << "a swing to the left turns the body";
  EXPECT_FALSE(sprite.facingFlag());

  events.playAction(*player, WorldViewPlayerEvents::kMarkerOn, 3);
  ASSERT_NE(marker(sprite), nullptr);
  EXPECT_EQ(marker(sprite)->getTextureRect(), art::uiSpriteRect(art::kPlayerMarkerSprite, 3));
  events.playAction(*player, WorldViewPlayerEvents::kMarkerOn, 5);
  EXPECT_EQ(marker(sprite)->getTextureRect(), art::uiSpriteRect(art::kPlayerMarkerSprite, 5)) << "the same marker, new picture";
  events.playAction(*player, WorldViewPlayerEvents::kMarkerOff, 0);
  EXPECT_EQ(marker(sprite), nullptr);

  sounds.played.clear();
  events.playAction(*player, WorldViewPlayerEvents::kSound, 0);
  ASSERT_EQ(sounds.played.size(), 1u);
  EXPECT_EQ(sounds.played[0].id, WorldViewPlayerEvents::kActionSound);
}

TEST_F(PlayerEventsTest, CellEventsReachTheWorldEffects) {
  auto player = playerAt(5, kGround + 1);
  PlayerSprite sprite(*player);
  events.tileEffect(*player, world->map().cell(6, kGround), 17);
  ASSERT_EQ(sounds.played.size(), 1u);
  EXPECT_EQ(sounds.played[0].id, 43);
  EXPECT_EQ(sounds.played[0].x, 6);
  EXPECT_TRUE(events.tileHits().overlay() == nullptr);
}

TEST_F(PlayerEventsTest, APickedUpItemFliesToTheCornerWithItsSoundAndGoes) {
  auto* texture = new engine::Texture2D();
  engine::SpriteBatchNode* icons = engine::SpriteBatchNode::createWithTexture(texture, 8, true);
  icons->retain();
  engine::Sprite* icon = showItemPickupIcon(icons, 12, 0, 2.0f, sounds);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->getParent(), icons);
  EXPECT_FALSE(icon->isVisible()) << "hidden until its delay passed";
  EXPECT_FLOAT_EQ(icon->getPositionY(), 60.0f);
  EXPECT_GT(icon->getPositionX(), 57.0f - 32.0f);
  tick(0.0f);
  for (int i = 0; i < 9; ++i) tick(kFrame);
  EXPECT_TRUE(icon->isVisible());
  ASSERT_EQ(sounds.played.size(), 1u);
  EXPECT_EQ(sounds.played[0].id, kPickupSound);
  for (int i = 0; i < 40; ++i) tick(kFrame);
  EXPECT_EQ(icons->getChildrenCount(), 0u);
  icons->release();
  texture->release();
}

}  // namespace
}  // namespace player_sprite_test

namespace player_sprite_test {
namespace {

TEST_F(PlayerEventsTest, AGlowingHeldItemsLightFollowsThePlayerToItsNewCell) {
  auto player = playerAt(5, entity_test::kGround + 3);
  Item torch(2, 0, 1, -1, 0);
  player->held = &torch;
  PlayerSprite sprite(*player);
  player->heldTint = 0x0E00;  // the test item has no tint of its own: the player holds it lit
  sprite.hideHeldItem();
  sprite.updateGear();
  ASSERT_TRUE(sprite.heldLit());
  MapBlock& from = world->map().cell(5, entity_test::kGround + 3);
  MapBlock& to = world->map().cell(6, entity_test::kGround + 3);
  EXPECT_EQ(from.blockLight & 0x0F00, 0x0E00);
  player->setCellCoordinates(6, entity_test::kGround + 3);
  player->moveToCell(&from);
  events.cellChanged(*player, 1, 0, false);
  EXPECT_EQ(to.blockLight & 0x0F00, 0x0E00);
  EXPECT_EQ(PlayerSprite::carriedLightAt(to), 0x0E00);
}

}  // namespace
}  // namespace player_sprite_test
