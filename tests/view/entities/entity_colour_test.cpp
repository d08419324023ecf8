// The colours entities are drawn in and the placement across the world's seam.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "engine/base/ref.h"
#include "engine/scene/director.h"
#include "view/entities/dyable_sprite.h"
#include "view/entities/entity_sprite.h"
#include "view/entities/entity_tint.h"
#include "view/tiles/tile_light.h"
#include "tests/world/world_test_blocks.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

// A small dark world to stand cells in: the tint follows a cell's light to its source's hue.
class EntityTint : public world_test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    world = World::create(nullptr, WorldParams{}, 16, 4);
  }
  MapBlock& litCell(int x, uint8_t sky, uint8_t red, uint8_t green, uint8_t blue) {
    MapBlock& cell = world->map().cell(x, 1);
    cell.setSkyLevel(sky);
    cell.blockLight = static_cast<uint16_t>(red | (green << 4) | (blue << 8) | 0xF000);
    return cell;
  }
  MapBlock& litCell(uint8_t sky, uint8_t red, uint8_t green, uint8_t blue) { return litCell(8, sky, red, green, blue); }
  engine::Color3B tint(const MapBlock& cell, uint32_t darkness) { return entityTint(world->map(), cell, darkness); }
  engine::Color3B player(const MapBlock& cell, uint32_t darkness) { return playerTint(world->map(), cell, darkness); }
  std::unique_ptr<World> world;
};

TEST_F(EntityTint, TheBrighterOfSkyAndBlockLightPerChannelTheBlockLightInItsOwnHue) {
  struct Case { uint8_t sky; uint32_t darkness; uint8_t r, g, b; engine::Color3B expected; };
  const Case cases[] = {
      {15, 5, 12, 3, 0, {228, 208, 208}},
      {15, 0, 0, 0, 0, {255, 255, 255}},
      {4, 12, 0, 0, 0, {0, 0, 0}},        // darkness beyond the sky gives no sky light
      {0, 0, 15, 0, 7, {255, 0, 174}},
      {15, 40, 1, 2, 3, {102, 106, 110}},  // a darkness past 15 counts as 15; a dim light keeps its hue
  };
  for (const Case& c : cases) {
    EXPECT_EQ(tint(litCell(c.sky, c.r, c.g, c.b), c.darkness), c.expected) << int(c.sky) << " less " << c.darkness;
  }
}

TEST_F(EntityTint, AMobAtATorchsDimEdgeTakesTheTorchsHueNotRed) {
  // A torch's orange (15, 8, 0) at column 0, a level weaker a step: six steps on its green is 2.
  for (int x = 0; x <= 6; ++x) litCell(x, 0, static_cast<uint8_t>(15 - x), static_cast<uint8_t>(std::max(0, 8 - x)), 0);
  const uint8_t shade = tile_light::shadeOf(9);
  const engine::Color3B expected{shade, static_cast<uint8_t>(shade * tile_light::shadeOf(8) / 255), 0};
  EXPECT_EQ(tint(world->map().cell(6, 1), 12), expected) << "the torch's orange, darker; not (198, 76, 0)";
}

TEST_F(EntityTint, APlayerKeepsAFloorOfLightWhereTheCellIsDarker) {
  const uint8_t floor = tile_light::shadeOf(kPlayerLightFloor);
  ASSERT_GT(floor, 80) << "enough to read a figure by";
  EXPECT_EQ(player(litCell(0, 0, 0, 0), 0), (engine::Color3B{floor, floor, floor})) << "an unlit cave";
  EXPECT_EQ(player(litCell(13, 0, 0, 0), 12), (engine::Color3B{floor, floor, floor})) << "a room at night";
  EXPECT_EQ(player(litCell(15, 12, 3, 0), 5), (engine::Color3B{228, 208, 208})) << "more light shows as it is";
  EXPECT_EQ(player(litCell(0, 15, 0, 0), 0), (engine::Color3B{255, 0, 0})) << "a red lamp's light is red";
  // A dim orange (76, 73, 0) under the floor is raised by grey alike on every channel: still orange.
  const int lift = floor - 76;
  EXPECT_EQ(player(litCell(0, 2, 1, 0), 0),
            (engine::Color3B{floor, static_cast<uint8_t>(73 + lift), static_cast<uint8_t>(lift)}));
}

TEST(EntityDye, DyeScalesByTheLight) {
  EXPECT_EQ(dyedColour({128, 128, 128}, {200, 100, 0}), (engine::Color3B{100, 50, 0}));
  EXPECT_EQ(dyedColour({255, 255, 255}, {200, 100, 7}), (engine::Color3B{200, 100, 7}));
  EXPECT_EQ(dyedColour({0, 0, 0}, {200, 100, 7}), (engine::Color3B{0, 0, 0}));
}

class EntityNodes : public ::testing::Test {
 protected:
  void TearDown() override {
    engine::PoolManager::getCurrentPool()->clear();
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
  }
};

TEST_F(EntityNodes, ADyedSpriteRemembersTheLightItWasGiven) {
  DyableSprite* sprite = DyableSprite::create(nullptr, engine::Rect(0, 0, 4, 4));
  ASSERT_NE(sprite, nullptr);
  sprite->setColor({128, 128, 128});
  EXPECT_EQ(sprite->getColor(), (engine::Color3B{128, 128, 128}));
  sprite->setDye({200, 100, 0});  // the stored light is used
  EXPECT_EQ(sprite->getColor(), (engine::Color3B{100, 50, 0}));
  sprite->setColor({255, 255, 255});
  EXPECT_EQ(sprite->getColor(), (engine::Color3B{200, 100, 0}));
  sprite->clearDye();
  EXPECT_EQ(sprite->getColor(), (engine::Color3B{255, 255, 255}));
}

TEST_F(EntityNodes, EntitiesAcrossTheSeamAreDrawnBesideThePlayer) {
  // A world of 100 columns, 10 visible: near column 0 the player sees x >= 2700 moved left.
  struct Case { float playerX, x, expected; };
  const Case cases[] = {
      {100, 2700, -300},  {100, 2690, 2690},  {599, 2950, -50},  {600, 2950, 2950},
      {2500, 300, 3300},  {2500, 301, 301},   {2401, 0, 3000},   {2400, 0, 0},
      {1500, 2950, 2950}, {1500, 10, 10},
  };
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(wrapToPlayerSide(c.x, WrapFrame{c.playerX, 10, 100}), c.expected)
        << "player " << c.playerX << " entity " << c.x;
  }
  EXPECT_FLOAT_EQ(wrapToPlayerSide(2950, WrapFrame{100, 10, 0}), 2950);  // no world: no wrap

  const WrapFrame frame{100, 10, 100};
  EntitySprite* sprite = EntitySprite::create(nullptr, engine::Rect(0, 0, 4, 4), &frame);
  sprite->setPosition(engine::Vec2(2800, 45));
  EXPECT_EQ(sprite->getPosition(), engine::Vec2(-200, 45));
  EXPECT_TRUE(sprite->isDirty());
  EntityInnerNode* node = EntityInnerNode::create(&frame);
  node->setPosition(engine::Vec2(2800, 45));
  EXPECT_EQ(node->getPosition(), engine::Vec2(-200, 45));
}

}  // namespace
