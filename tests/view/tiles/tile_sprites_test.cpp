// The tile window's bookkeeping: which record shows a cell, what a rebuild puts in its slots and
// how it tints them, scrolling by one cell and recentring after a jump, and the sprite pool.

#include <gtest/gtest.h>

#include "content/art/block_atlas_layout.h"
#include "tests/view/tiles/tile_window_fixture.h"
#include "world/light/light_map.h"

namespace {

using namespace tiletest;
using engine::Color3B;
using engine::Color4B;
using R = TileSpriteRecord;

TEST_F(TileWindowTest, ACellsRecordIsFoundTheShorterWayAcrossTheSeam) {
  show(1, 12);
  EXPECT_EQ(window->at(map->cell(1, 12)), window->record(kColumns / 2, kRows / 2));
  EXPECT_EQ(window->at(map->cell(kWidth - 2, 12)), window->record(0, kRows / 2));  // three columns left
  EXPECT_EQ(window->at(map->cell(4, 14)), window->record(kColumns - 1, kRows - 1));
  EXPECT_EQ(window->at(map->cell(5, 12)), nullptr);
  EXPECT_EQ(window->at(map->cell(1, 15)), nullptr);
  // The record of a cell across the seam holds that cell and places its sprites next to the player.
  map->cell(kWidth - 2, 12).setFront(world_test::kGlass, 0, 0);
  window->recentre(1, 12);
  BlockSprite* glass = slot(kWidth - 2, 12, R::kFront);
  ASSERT_NE(glass, nullptr);
  EXPECT_EQ(window->at(map->cell(kWidth - 2, 12))->cell, &map->cell(kWidth - 2, 12));
  EXPECT_FLOAT_EQ(glass->getPositionX(), -2 * 30.0f);
}

TEST_F(TileWindowTest, AFrontBlockTakesItsFrameTurnAndFlatLight) {
  MapBlock& cell = map->cell(10, 9);  // dirt under open sky
  cell.setFront(world_test::kDirt, 2, 3);
  cell.setSkyLevel(15);
  cell.blockLight = 0x03C;
  world->dayClock().darkness = 5;
  show(10, 10);
  BlockSprite* front = slot(10, 9, R::kFront);
  ASSERT_NE(front, nullptr);
  EXPECT_EQ(front->getTextureRect(), art::blockSpriteRect(world_test::kDirt, 2));
  EXPECT_EQ(front->getLocalZOrder(), 11);
  EXPECT_EQ(front->orientation(), 3);
  EXPECT_FLOAT_EQ(front->getRotation(), 90.0f);
  EXPECT_FLOAT_EQ(front->getScaleY(), -1.0f);
  // Sky 10 after the darkness; the block light's red 12 falls a step short on a solid face.
  EXPECT_EQ(front->getDisplayedColor(), (Color3B{208, 208, 208}));
  EXPECT_EQ(front->getQuad().tl.colors, (Color4B{208, 208, 208, 255}));
  EXPECT_EQ(front->getPosition(), engine::Vec2(300, 270));
}

TEST_F(TileWindowTest, ABackBlockShowsOnlyBehindASeeThroughFrontAtHalfTheLight) {
  map->cell(10, 12).setLayer(world_test::kDirt, 0, MapBlock::kBack);  // open front: shows
  map->cell(11, 12).setLayer(world_test::kDirt, 0, MapBlock::kBack);
  map->cell(11, 12).setFront(world_test::kGlass, 0, 0);               // clear front: shows
  map->cell(12, 12).setLayer(world_test::kDirt, 0, MapBlock::kBack);
  map->cell(12, 12).setFront(world_test::kDirt, 0, 0);                // opaque front: hidden
  map->computeSurfaceHeights();  // the glass is the column's top
  show(11, 12);
  ASSERT_NE(slot(10, 12, R::kBack), nullptr);
  ASSERT_NE(slot(11, 12, R::kBack), nullptr);
  EXPECT_EQ(slot(12, 12, R::kBack), nullptr);
  EXPECT_EQ(slot(11, 12, R::kBack)->getLocalZOrder(), 1);
  EXPECT_EQ(slot(11, 12, R::kBack)->getDisplayedColor(), (Color3B{127, 127, 127}));
  EXPECT_EQ(slot(11, 12, R::kFront)->getDisplayedColor(), (Color3B{255, 255, 255}));
}

TEST_F(TileWindowTest, PaintOnAPaintableFrontIsTheColourItselfInFullLight) {
  world_test::defineBlock(20, {.flags = world_test::bits({23, 40}), .transparency = 0});
  world_test::defineBlock(4027, {.flags = world_test::bits({39}), .transparency = 1});  // red paint
  world = World::create(nullptr, WorldParams{}, kWidth, kHeight);
  map = &world->map();
  MapBlock& cell = map->cell(5, 5);
  cell.setSkyLevel(15);
  cell.setFront(20, 0, 0);
  cell.addDeco(4027, 0, MapBlock::kFront);
  show(5, 5);
  BlockSprite* sprite = slot(5, 5, R::kFront);
  ASSERT_NE(sprite, nullptr);
  ASSERT_TRUE(sprite->overrideOn());
  EXPECT_EQ(sprite->getDisplayedColor(), (Color3B{240, 63, 55}));
  // In half light the paint darkens with it.
  cell.setSkyLevel(5);
  window->relightAll();
  EXPECT_EQ(sprite->getDisplayedColor(), (Color3B{138, 36, 31}));
}

TEST_F(TileWindowTest, LiquidsGoToTheAdditiveBatchWithTheirFrameAndMirror) {
  map->cell(10, 12).liquid = static_cast<uint8_t>(1 << 6 | 1 | 3 << 3);  // water, amounts 1 and 3
  map->cell(11, 12).liquid = static_cast<uint8_t>(2 << 6 | 4 | 1 << 3);  // lava still moving
  map->cell(11, 12).flags |= cell_flag::kLiquidSource;
  show(10, 12);
  BlockSprite* water = slot(10, 12, R::kLiquid);
  BlockSprite* lava = slot(11, 12, R::kLiquid);
  ASSERT_NE(water, nullptr);
  ASSERT_NE(lava, nullptr);
  EXPECT_EQ(water->getParent(), liquids);
  EXPECT_EQ(water->getTextureRect(), engine::Rect(65, 33, 30, 30));
  EXPECT_FLOAT_EQ(water->getScaleX(), -1.0f);
  EXPECT_EQ(lava->getTextureRect(), engine::Rect(193, 129, 30, 30));
  EXPECT_FLOAT_EQ(lava->getScaleX(), 1.0f);
}

// A world of planet 4, whose maps have a surface line, every column's at row 14: rows below 11
// are underground.
class SurfaceWindowTest : public TileWindowTest {
 protected:
  void SetUp() override {
    TileWindowTest::SetUp();
    addSurfacePlanet(4);
    WorldParams params;
    params.planetId = 4;
    world = World::create(nullptr, params, kWidth, kHeight);
    map = &world->map();
    map->surfaceLines().assign(kWidth, 14);
  }
};

TEST_F(SurfaceWindowTest, ShadowEdgesAndCaveShadeBelowTheSurface) {
  // The ground reaches the surface line beside a shaft open to the sky in column 6.
  map->topHeights().assign(kWidth, 14);
  map->topHeights()[6] = 0;
  map->cell(6, 10).skyShadow = 0x05;  // edges up and down, no back block
  show(6, 10);
  ASSERT_NE(slot(6, 10, R::kBack), nullptr);
  // The wall is the planet's own, in the band of its depth: row 10 of a surface at 14 lies in the
  // upper third of the ground, row 2 in the lowest.
  EXPECT_EQ(slot(6, 10, R::kBack)->getTextureRect(), art::caveWallSpriteRect(4, 0));
  EXPECT_EQ(slot(6, 10, R::kBack)->getLocalZOrder(), 0);
  ASSERT_NE(slot(6, 10, R::kFirstEdge), nullptr);
  EXPECT_EQ(slot(6, 10, R::kFirstEdge + 1), nullptr);
  ASSERT_NE(slot(6, 10, R::kFirstEdge + 2), nullptr);
  EXPECT_EQ(slot(6, 10, R::kFirstEdge + 2)->getTextureRect(), art::blockSpriteRect(art::kShadowEdgeOpenBlock, 2));
  EXPECT_EQ(slot(6, 10, R::kFirstEdge + 2)->getLocalZOrder(), 8);
  // Near the surface, in the open shaft, there is no shade.
  EXPECT_EQ(slot(6, 12, R::kBack), nullptr);
  show(6, 2);
  ASSERT_NE(slot(6, 2, R::kBack), nullptr);
  EXPECT_EQ(slot(6, 2, R::kBack)->getTextureRect(), art::caveWallSpriteRect(4, 2));
  EXPECT_NE(art::caveWallSpriteRect(4, 2), art::caveWallSpriteRect(4, 0));
  EXPECT_NE(art::caveWallSpriteRect(4, 0), art::caveWallSpriteRect(8, 0));
}

TEST_F(SurfaceWindowTest, ARoofOverTheDipBringsTheWallBehindTheCellsUnderItAndTakingItAwayTheSky) {
  for (int x = 0; x < kWidth; ++x) {
    for (int y = 0; y < 14; ++y) {
      if (x != 6 || y < 10) map->cell(x, y).setFront(world_test::kDirt, 0, 0);
    }
  }
  map->computeSurfaceHeights();
  show(6, 11);
  ASSERT_EQ(slot(6, 12, R::kBack), nullptr) << "the dip open to the sky";
  ASSERT_EQ(slot(6, 11, R::kBack), nullptr);
  // The roof goes in as an edit tells the window: the cell, and the shadows around it changed.
  MapBlock& roof = map->cell(6, 13);
  roof.setFront(world_test::kDirt, 0, 0);
  map->updateSurfaceHeight(6, 13, true);
  window->updateTileAndNeighbours(roof, TileSprites::kRebuildCell | TileSprites::kRebuildEdgesAround);
  EXPECT_NE(slot(6, 12, R::kBack), nullptr);
  EXPECT_NE(slot(6, 11, R::kBack), nullptr);
  roof.setFront(0, 0, 0);
  map->updateSurfaceHeight(6, 13, false);
  window->updateTileAndNeighbours(roof, TileSprites::kRebuildCell | TileSprites::kRebuildEdgesAround);
  EXPECT_EQ(slot(6, 12, R::kBack), nullptr);
  EXPECT_EQ(slot(6, 11, R::kBack), nullptr);
}

TEST_F(TileWindowTest, TheShadowEdgesFallOnTheWallBehindAnOpenCellAndNeverOnTheSky) {
  // A hollow in the ground: open in front, the ground behind, solid ground on its right.
  map->cell(10, 12).setLayer(world_test::kDirt, 0, MapBlock::kBack);
  map->cell(11, 12).setFront(world_test::kDirt, 0, 0);
  map->lightMap().relightAllWithShadows();
  ASSERT_EQ(map->cell(10, 12).shadowEdges(), 0x02) << "the edge on its right side";
  map->cell(9, 13).skyShadow = static_cast<uint8_t>(0xF0 | 0x02);  // open air with nothing behind
  show(10, 12);
  BlockSprite* edge = slot(10, 12, R::kFirstEdge + 1);
  ASSERT_NE(edge, nullptr) << "built with the window, not only after an edit beside it";
  EXPECT_EQ(edge->getTextureRect(), art::blockSpriteRect(art::kShadowEdgeBackBlock, 1));
  EXPECT_EQ(slot(9, 13, R::kFirstEdge + 1), nullptr);
  // The wall goes (the front is made opaque): its edges go with it.
  map->cell(10, 12).setFront(world_test::kDirt, 0, 0);
  window->updateAt(map->cell(10, 12));
  EXPECT_EQ(slot(10, 12, R::kFirstEdge + 1), nullptr);
}

TEST_F(TileWindowTest, SmoothLightingPutsTheCornersOnTheVerticesOfTheTurnedSprite) {
  // No daylight anywhere, so none seeps into the dirt around the cell.
  for (int x = 0; x < kWidth; ++x) {
    for (int y = 0; y < kHeight; ++y) map->cell(x, y).setSkyLevel(0);
  }
  map->cell(9, 11).blockLight = 0x00F;  // upper left of (10, 10): red in the top-left corner only
  map->cell(10, 10).setFront(world_test::kGlass, 0, 1);  // orientation 1
  map->cell(10, 10).setLayer(world_test::kDirt, 0, MapBlock::kBack);
  show(10, 10, true);
  const engine::V2F_C4B_T2F_Quad& front = slot(10, 10, R::kFront)->getQuad();
  // Orientation 1: vertices tl, tr, bl, br take corners 1, 3, 0, 2. The red reaches the dark cell's
  // corner a third of the way to one level up.
  EXPECT_EQ(front.bl.colors, (Color4B{12, 0, 0, 255}));
  EXPECT_EQ(front.tl.colors, (Color4B{0, 0, 0, 255}));
  EXPECT_EQ(front.tr.colors, (Color4B{0, 0, 0, 255}));
  const engine::V2F_C4B_T2F_Quad& back = slot(10, 10, R::kBack)->getQuad();
  // The back is not turned; the red of the top-left corner falls on it whole.
  EXPECT_EQ(back.tl.colors, (Color4B{12, 0, 0, 255}));
  EXPECT_EQ(back.bl.colors, (Color4B{0, 0, 0, 255}));
}

TEST_F(TileWindowTest, AScrollRotatesTheRecordsAndRebuildsOnlyTheNewEdge) {
  show(10, 10);
  TileSpriteRecord* leftmost = window->record(0, 2);
  TileSpriteRecord* second = window->record(1, 2);
  const size_t sprites = blocks->getChildrenCount();
  window->scrollRight();
  EXPECT_EQ(window->centreX(), 11);
  EXPECT_EQ(window->record(0, 2), second);
  EXPECT_EQ(window->record(kColumns - 1, 2), leftmost);
  EXPECT_EQ(leftmost->cell, &map->cell(11 + kColumns / 2, 10));
  // Same ground on both sides: the released sprites were taken again, none was made or removed.
  EXPECT_EQ(blocks->getChildrenCount(), sprites);
  EXPECT_EQ(window->pool().size(), 0u);
  window->scrollDown();
  EXPECT_EQ(window->centreY(), 9);
  EXPECT_EQ(window->record(0, 0)->cell, &map->cell(11 - kColumns / 2, 9 - kRows / 2));
  window->scrollLeft();
  window->scrollUp();
  for (int i = 0; i < kColumns; ++i) {
    for (int j = 0; j < kRows; ++j) {
      EXPECT_EQ(window->record(i, j)->cell, &map->cell(10 - kColumns / 2 + i, 10 - kRows / 2 + j));
    }
  }
}

TEST_F(TileWindowTest, FollowingScrollsOneStepEachWayAndRecentresAfterAJump) {
  show(10, 10);
  map->cell(30, 20).setFront(world_test::kGlass, 0, 0);
  window->follow(11, 9);
  EXPECT_EQ(window->centreX(), 11);
  EXPECT_EQ(window->centreY(), 9);
  window->follow(30, 20);
  EXPECT_EQ(window->centreX(), 30);
  EXPECT_NE(slot(30, 20, R::kFront), nullptr);
  // Rows past the top of the map have no cell and no sprites.
  window->follow(30, kHeight - 1);
  EXPECT_EQ(window->record(kColumns / 2, kRows - 1)->cell, nullptr);
  EXPECT_EQ(window->record(kColumns / 2, kRows - 1)->sprites[R::kFront], nullptr);
}

TEST_F(TileWindowTest, ThePoolHandsBackASpriteOfTheSameBatchAndDepthOnly) {
  show(10, 10);
  BlockSprite* dirt = slot(10, 8, R::kFront);
  ASSERT_NE(dirt, nullptr);
  map->cell(10, 8).setFront(0, 0, 0);
  window->updateAt(map->cell(10, 8));
  EXPECT_EQ(slot(10, 8, R::kFront), nullptr);
  EXPECT_TRUE(dirt->pooled());
  EXPECT_FALSE(dirt->isVisible());
  EXPECT_EQ(dirt->getParent(), blocks);
  SpritePool pool;
  EXPECT_EQ(pool.take(blocks, 11), nullptr);
  map->cell(10, 12).setFront(world_test::kGlass, 0, 0);
  window->updateAt(map->cell(10, 12));
  EXPECT_EQ(slot(10, 12, R::kFront), dirt);  // the same sprite, shown again
  EXPECT_TRUE(dirt->isVisible());
  EXPECT_FALSE(dirt->pooled());
  EXPECT_EQ(dirt->getTextureRect(), art::blockSpriteRect(world_test::kGlass, 0));
}

TEST_F(TileWindowTest, ARecentreRemovesForeignSpritesAndKeepsTheHighlightAtDepth21) {
  show(10, 10);
  BlockSprite* stray = BlockSprite::createOnParent(blocks, engine::Rect(1, 1, 30, 30), 15, 1.0f);
  BlockSprite* highlight = BlockSprite::createOnParent(blocks, engine::Rect(1, 1, 30, 30), 3, 1.0f);
  window->setHighlightSprite(highlight);
  window->recentre(12, 10);
  EXPECT_EQ(stray->getParent(), nullptr);
  EXPECT_EQ(highlight->getParent(), blocks);
  EXPECT_EQ(highlight->getLocalZOrder(), 3);  // already in the batch: kept where it was
  EXPECT_EQ(visibleChildren(blocks), static_cast<size_t>(kColumns * 2 + 1));  // the dirt of rows 8 and 9, and the highlight
}

}  // namespace
