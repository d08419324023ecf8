#pragma once
// A tile window over a small test world, headless: the two batches share a texture without pixels
// (their atlases need no GL), so the window's bookkeeping, sprites and colours can be read back.

#include <gtest/gtest.h>

#include <memory>

#include "engine/base/ref.h"
#include "engine/render/texture2d.h"
#include "engine/sprite/sprite_batch_node.h"
#include "tests/world/world_test_blocks.h"
#include "view/tiles/block_sprite.h"
#include "view/tiles/tile_sprites.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace tiletest {

constexpr int kWidth = 40;
constexpr int kHeight = 30;
constexpr int kColumns = 7;
constexpr int kRows = 5;

class TileWindowTest : public world_test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    world = World::create(nullptr, WorldParams{}, kWidth, kHeight);
    map = &world->map();
    for (int x = 0; x < kWidth; ++x) {
      for (int y = 0; y < kHeight; ++y) map->cell(x, y).setSkyLevel(15);
      for (int y = 0; y < 10; ++y) map->cell(x, y).setFront(world_test::kDirt, 0, 0);
    }
    texture = new engine::Texture2D();
    blocks = engine::SpriteBatchNode::createWithTexture(texture, 64, true);
    liquids = engine::SpriteBatchNode::createWithTexture(texture, 64, true);
    blocks->retain();
    liquids->retain();
    window = std::make_unique<TileSprites>(blocks, liquids);
    TileSprites::setCurrent(window.get());
  }
  void TearDown() override {
    window.reset();
    TileSprites::setCurrent(nullptr);
    engine::safeRelease(blocks);
    engine::safeRelease(liquids);
    engine::safeRelease(texture);
    world.reset();
    WorldTest::TearDown();
  }
  void show(int column, int row, bool smooth = false) {
    window->rebuildWindow(world.get(), kColumns, kRows);
    window->setSmoothLighting(smooth);
    window->recentre(column, row);
  }
  TileSpriteRecord& recordOf(int x, int y) {
    TileSpriteRecord* r = window->at(map->cell(x, y));
    EXPECT_NE(r, nullptr) << x << "," << y;
    return *r;
  }
  BlockSprite* slot(int x, int y, int s) { return recordOf(x, y).sprites[s]; }
  size_t visibleChildren(engine::SpriteBatchNode* batch) const {
    size_t n = 0;
    for (engine::Node* child : batch->getChildren()) n += child->isVisible() ? 1 : 0;
    return n;
  }

  std::unique_ptr<World> world;
  WorldMap* map = nullptr;
  engine::Texture2D* texture = nullptr;
  engine::SpriteBatchNode* blocks = nullptr;
  engine::SpriteBatchNode* liquids = nullptr;
  std::unique_ptr<TileSprites> window;
};

}  // namespace tiletest
