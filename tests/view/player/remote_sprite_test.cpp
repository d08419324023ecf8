// A remote player's sprite: where it goes across the wrap seam, and that following its player
// every frame keeps it at one body offset above the player.

#include <gtest/gtest.h>

#include "engine/scene/inner_node.h"
#include "tests/view/player/player_sprite_fixture.h"
#include "view/player/player_sprite_remote.h"

namespace player_sprite_test {
namespace {

constexpr int32_t kColumns = 100;  // W = 3000 px
constexpr int32_t kVisible = 20;   // N = 600 px

struct PlacementCase {
  float x;
  int32_t localColumn;
  float placedX;
  float offsetX;
};

TEST(RemotePlacementTest, PointsComeIntoTheWorldThenTheContainerJoinsTheLocalPlayersSide) {
  const PlacementCase cases[] = {
      {2990, 50, -10, 0},     // W - 10 is -10 before the offset is chosen
      {2985, 50, -15, 0},     // the first x that wraps
      {2984, 5, 2984, -3000},  // near column 0 a player at the far end is drawn to its left
      {-20, 50, 2980, 0},     // below -15 comes back from the left
      {100, 90, 100, 3000},   // near the far end a player at the start is drawn to its right
      {100, 50, 100, 0},
      {2990, 5, -10, 0},      // brought in first: -10 is not beyond W - N
  };
  for (const PlacementCase& c : cases) {
    const RemotePlacement placed = placeRemotePlayer(engine::Vec2(c.x, 40), kColumns, kVisible, c.localColumn);
    EXPECT_FLOAT_EQ(placed.point.x, c.placedX) << c.x << " from column " << c.localColumn;
    EXPECT_FLOAT_EQ(placed.containerOffset.x, c.offsetX) << c.x << " from column " << c.localColumn;
    EXPECT_FLOAT_EQ(placed.point.y, 40.0f);
  }
}

TEST_F(PlayerSpriteTest, ARemoteSpriteFollowsItsPlayerWithoutClimbing) {
  auto player = playerAt(5, entity_test::kGround + 1);
  engine::InnerNode* layer = engine::InnerNode::create();
  layer->retain();
  {
    PlayerSpriteRemote sprite(*player, layer);
    EXPECT_EQ(sprite.container()->getParent(), layer);
    EXPECT_EQ(sprite.animator()->getParent(), sprite.container());
    for (int i = 0; i < 30; ++i) sprite.perFrame();
    EXPECT_FLOAT_EQ(sprite.animator()->getPositionY(), player->position.y + PlayerSprite::kRestLift);
    player->position.x += 7;
    sprite.perFrame();
    EXPECT_FLOAT_EQ(sprite.animator()->getPositionX(), player->position.x);
  }
  EXPECT_EQ(layer->getChildrenCount(), 0u);
  layer->release();
}

}  // namespace
}  // namespace player_sprite_test
