// The player's sprite: the list of all sprites, the lights players carry, the motion events with
// their sounds and animations, and the swing's end.

#include <gtest/gtest.h>

#include "engine/sprite/sprite.h"
#include "game/player/player_base.h"
#include "tests/view/player/player_sprite_fixture.h"
#include "view/entities/dyable_sprite.h"
#include "view/entities/entity_tint.h"
#include "view/tiles/tile_refresh.h"
#include "world/cells/map_block.h"

namespace player_sprite_test {
namespace {

using entity_test::kGround;

TEST_F(PlayerSpriteTest, SpritesJoinTheListInOrderAndLeaveItWhenDestroyed) {
  auto a = playerAt(3, kGround + 1);
  auto b = playerAt(7, kGround + 1);
  a->carriedLight = 0x0F00;
  b->carriedLight = 0x00F0;
  auto first = std::make_unique<PlayerSprite>(*a);
  {
    PlayerSprite second(*b);
    ASSERT_EQ(PlayerSprite::all().size(), 2u);
    EXPECT_EQ(PlayerSprite::all()[1], &second);
    EXPECT_EQ(PlayerSprite::carriedLightAt(world->map().cell(7, kGround + 1)), 0x00F0);
  }
  EXPECT_EQ(PlayerSprite::all().size(), 1u);
  EXPECT_EQ(PlayerSprite::carriedLightAt(world->map().cell(7, kGround + 1)), 0) << "a destroyed sprite lights nothing";
  // Columns wrap: a player placed one world width to the right stands on the same cell.
  a->cellX += entity_test::kWidth;
  EXPECT_EQ(PlayerSprite::carriedLightAt(world->map().cell(3, kGround + 1)), 0x0F00);
  first.reset();
  EXPECT_TRUE(PlayerSprite::all().empty());
}

TEST_F(PlayerSpriteTest, TwoPlayersOnOneCellGiveTheStrongerLightAndAHiddenOneGivesNone) {
  auto dim = playerAt(5, kGround + 1);
  auto bright = playerAt(5, kGround + 1);
  dim->carriedLight = 0x0F00;   // one channel at 15
  bright->carriedLight = 0x0777;  // three channels at 7: weaker by its strongest channel
  PlayerSprite dimSprite(*dim);
  PlayerSprite brightSprite(*bright);
  MapBlock& cell = world->map().cell(5, kGround + 1);
  EXPECT_EQ(PlayerSprite::carriedLightAt(cell), 0x0F00);
  EXPECT_NE(cell.flags & cell_flag::kCarriedLight, 0) << "the worn light went into the light map";
  dimSprite.hide();
  EXPECT_EQ(PlayerSprite::carriedLightAt(cell), 0x0777);
  EXPECT_EQ(PlayerSprite::carriedLightAt(world->map().cell(6, kGround + 1)), 0);
}

TEST_F(PlayerSpriteTest, BuildLiftsTheBodyByItsRestOffsetOnceAndScalesWithTheFlags) {
  auto player = playerAt(5, kGround + 1);
  PlayerSprite sprite(*player);
  EXPECT_FLOAT_EQ(sprite.bodyOffset().y, 6.0f);
  sprite.setPosition(player->position);
  EXPECT_FLOAT_EQ(sprite.animator()->getPositionY(), player->position.y + 6.0f);
  sprite.build();
  EXPECT_FLOAT_EQ(sprite.animator()->getPositionY(), player->position.y + 6.0f) << "a second build moves nothing";
  player->stats.setFlag(18, true);
  sprite.build();
  EXPECT_FLOAT_EQ(sprite.bodyOffset().y, 21.0f);
  EXPECT_FLOAT_EQ(sprite.animator()->getScaleX(), -2.0f) << "the facing sign stays";
  EXPECT_FLOAT_EQ(sprite.animator()->getPositionY(), player->position.y + 21.0f);
}

TEST_F(PlayerSpriteTest, FacingMirrorsOnlyWhenItChanges) {
  auto player = playerAt(5, kGround + 1);
  PlayerSprite sprite(*player);
  const float start = sprite.animator()->getScaleX();
  // It is drawn facing right to begin with: facing right again changes nothing.
  sprite.setFacing(false);
  EXPECT_FLOAT_EQ(sprite.animator()->getScaleX(), start);
  sprite.setFacing(true);  // left mirrors once
  EXPECT_FLOAT_EQ(sprite.animator()->getScaleX(), -start);
  sprite.setFacing(true);
  EXPECT_FLOAT_EQ(sprite.animator()->getScaleX(), -start);
  sprite.setFacing(false);
  EXPECT_FLOAT_EQ(sprite.animator()->getScaleX(), start);
}

TEST_F(PlayerSpriteTest, AskingForTheCurrentAnimationRestartsNothing) {
  auto player = playerAt(5, kGround + 1);
  PlayerSprite sprite(*player);
  sprite.playAnimation(1, false);
  frames(sprite, 10);
  const float elapsed = sprite.animator()->body().elapsed;
  ASSERT_GT(elapsed, 0.1f);
  sprite.playAnimation(1, false);
  EXPECT_FLOAT_EQ(sprite.animator()->body().elapsed, elapsed);
  sprite.playAnimation(4, true);
  EXPECT_FLOAT_EQ(sprite.animator()->body().elapsed, 0.0f);
  EXPECT_EQ(sprite.motion(), 4);
}

struct MotionCase {
  uint8_t event;
  int sound;  // -1: none
  int32_t animation;
};

TEST_F(PlayerSpriteTest, MotionEventsPlayTheirSoundsAndAnimations) {
  const MotionCase cases[] = {{0, 30, 6}, {1, -1, 1}, {2, -1, 7}, {3, -1, 1}, {4, 10, 3}, {5, 30, 2},
                              {6, 31, 2}, {8, 31, 2}, {9, 31, 2}, {7, -1, 4}, {10, -1, 8}, {11, -1, 0}};
  for (const MotionCase& c : cases) {
    auto player = playerAt(5, kGround + 1);
    PlayerSprite sprite(*player);
    sprite.poseForState();  // standing: the landing's step sound needs the standing pose
    sounds.played.clear();
    sprite.onMotionEvent(c.event);
    if (c.sound < 0) {
      EXPECT_TRUE(sounds.played.empty()) << int(c.event);
    } else {
      ASSERT_EQ(sounds.played.size(), 1u) << int(c.event);
      EXPECT_EQ(sounds.played[0].id, c.sound) << int(c.event);
      EXPECT_EQ(sounds.played[0].y, c.event == 4 ? kGround : kGround + 1) << "the landing sounds the cell below";
    }
    EXPECT_EQ(sprite.motion(), c.animation) << int(c.event);
  }
}

TEST_F(PlayerSpriteTest, FlyingPlayersFloatOrWalkWithoutSounds) {
  auto player = playerAt(5, kGround + 1);
  player->stats.setFlag(player_flag::kFlying, true);
  PlayerSprite sprite(*player);
  sprite.onMotionEvent(0);
  EXPECT_EQ(sprite.motion(), 8);
  sprite.onMotionEvent(1);  // animating: a standing body walks
  EXPECT_EQ(sprite.motion(), 1);
  EXPECT_TRUE(sounds.played.empty());
}

// A body whose ground contact and motion state a test sets.
class SetBody final : public PlayerBase {
 public:
  using PlayerBase::PlayerBase;
  bool isGrounded() const override { return grounded; }
  int32_t motionState() const override { return state; }
  bool grounded = false;
  int32_t state = 0;
};

TEST_F(PlayerSpriteTest, TheBodyStateIsTheBodysOwnAndADrawnOnlyPlayerStands) {
  auto drawnOnly = playerAt(5, kGround + 3);
  EXPECT_EQ(drawnOnly->withBody(), nullptr);
  EXPECT_EQ(playerBodyState(*drawnOnly), 0) << "no body: standing, though it hangs in the air";

  SetBody body(world.get(), false);
  body.setCellCoordinates(5, kGround + 1);
  for (const int32_t state : {0, 5, 9, -1}) {
    body.state = state;
    EXPECT_EQ(playerBodyState(body), state);
  }
  PlayerSprite sprite(body);
  body.state = 5;
  sprite.poseForState();
  EXPECT_EQ(sprite.motion(), 5) << "the rest pose of the body's state";
}

TEST_F(PlayerSpriteTest, AFlyingBodyWalksOnlyWhileItsBodyStandsOnTheGround) {
  const struct {
    bool grounded;
    int32_t state;
    int32_t animation;
  } cases[] = {{true, 0, 1}, {true, 9, 8}, {false, 0, 8}};
  for (const auto& c : cases) {
    SetBody body(world.get(), false);
    body.setCellCoordinates(5, kGround + 1);
    body.stats.setFlag(player_flag::kFlying, true);
    body.grounded = c.grounded;
    body.state = c.state;
    PlayerSprite sprite(body);
    sprite.onMotionEvent(1);
    EXPECT_EQ(sprite.motion(), c.animation) << c.grounded << " " << c.state;
  }
}

TEST_F(PlayerSpriteTest, ASwingEndsWithTheItemBackInTheHandOrHiddenWhileTheBodyMoves) {
  auto player = playerAt(5, kGround + 1);
  Item pick(2, 0, 1, -1, 0);
  player->held = &pick;
  PlayerSprite sprite(*player);
  sprite.poseForState();
  sprite.updateGear();
  const engine::Vec2 rest = sprite.heldSprite()->getPosition();

  sounds.played.clear();
  sprite.playSwing();
  ASSERT_EQ(sounds.played.size(), 1u);
  EXPECT_EQ(sounds.played[0].id, PlayerSprite::kSwingSound);
  EXPECT_TRUE(sprite.animator()->arm().running());
  frames(sprite, 3);
  EXPECT_FALSE(sprite.heldSprite()->getPosition() == rest) << "the item moves during the swing";
  frames(sprite, 60);
  EXPECT_FALSE(heldMoving(sprite));
  EXPECT_TRUE(sprite.heldSprite()->isVisible());
  EXPECT_NEAR(sprite.heldSprite()->getPositionX(), rest.x, 1e-3f);
  EXPECT_NEAR(sprite.heldSprite()->getPositionY(), rest.y, 1e-3f);

  sprite.playSwing();
  sprite.playAnimation(1, false);  // walking starts while the item swings
  frames(sprite, 60);
  EXPECT_FALSE(heldMoving(sprite));
  EXPECT_FALSE(sprite.heldSprite()->isVisible()) << "the walk hides the item once the swing ends";
}

TEST_F(PlayerSpriteTest, AHeldItemOnlyChangesWhenRefreshedAndAnEmptyHandShowsNothing) {
  auto player = playerAt(5, kGround + 1);
  PlayerSprite sprite(*player);
  EXPECT_EQ(sprite.heldSprite()->getTextureRect().size.width, 0.0f);
  Item pick(2, 0, 1, -1, 0);
  player->held = &pick;
  sprite.refreshGear();
  EXPECT_GT(sprite.heldSprite()->getTextureRect().size.width, 0.0f);
  EXPECT_TRUE(sprite.heldSprite()->isVisible());
}

}  // namespace
}  // namespace player_sprite_test

namespace player_sprite_test {
namespace {

TEST_F(PlayerSpriteTest, ARetintOfTheViewGivesThePartsTheirCellsLightUnderTheSkinDye) {
  auto player = playerAt(5, entity_test::kGround + 1);
  PlayerSprite sprite(*player);
  MapBlock& cell = world->map().cell(5, entity_test::kGround + 1);
  cell.setSkyLevel(6);
  cell.blockLight = 0x0A00;  // blue 10 over the sky's 6
  TileRefresh refresh;
  refresh.refreshWorldLighting();
  const engine::Color3B light = sprite.part(7)->lightColour;
  EXPECT_EQ(light, (engine::Color3B{161, 161, 208})) << "the shades of 6 and 10, as the cells are drawn";
  EXPECT_EQ(sprite.heldSprite()->getColor(), light);
  ASSERT_EQ(sprite.part(1)->dyeOn, 1) << "the head carries the skin colour";
  EXPECT_EQ(sprite.part(1)->getColor(), dyedColour(light, sprite.part(1)->dye));
}

}  // namespace
}  // namespace player_sprite_test
