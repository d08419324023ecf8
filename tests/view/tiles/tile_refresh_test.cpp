// Cell-change notices and the whole-view re-tints that liquid steps and blasts batch.

#include "view/tiles/tile_refresh.h"

#include <gtest/gtest.h>

#include "content/items/block_edit.h"
#include "tests/view/tiles/tile_window_fixture.h"
#include "world/edits/cell_edit.h"
#include "world/edits/edit_kind.h"

namespace {

using namespace tiletest;
using engine::Color3B;
using R = TileSpriteRecord;

class TileRefreshTest : public TileWindowTest {
 protected:
  void SetUp() override {
    TileWindowTest::SetUp();
    show(10, 10);
  }
  // Darkens every cell's sky without telling the window: only a re-tint shows it.
  void nightFalls() {
    for (int x = 0; x < kWidth; ++x) {
      for (int y = 0; y < kHeight; ++y) map->cell(x, y).setSkyLevel(3);
    }
  }
  Color3B dirtColour() { return slot(10, 9, R::kFront)->getDisplayedColor(); }

  TileRefresh refresh;
};

TEST_F(TileRefreshTest, AWholeViewReTintDuringABatchWaitsForItsEndAndRunsOnce) {
  {
    const BatchedLightRefresh liquidStep(refresh);
    nightFalls();
    window->updateTileAndNeighbours(map->cell(10, 9), TileSprites::kRelightView);
    window->updateTileAndNeighbours(map->cell(11, 9), TileSprites::kRelightView);
    EXPECT_EQ(dirtColour(), (Color3B{255, 255, 255}));  // not yet
    EXPECT_TRUE(refresh.refreshWanted());
  }
  EXPECT_EQ(dirtColour(), (Color3B{110, 110, 110}));
  EXPECT_FALSE(window->batching());
  EXPECT_FALSE(refresh.refreshWanted());
}

TEST_F(TileRefreshTest, OutsideABatchTheReTintIsImmediateAndABatchWithoutAskingReTintsNothing) {
  {
    const BatchedLightRefresh blast(refresh);
    nightFalls();
  }
  EXPECT_EQ(dirtColour(), (Color3B{255, 255, 255}));
  window->updateTileAndNeighbours(map->cell(10, 9), TileSprites::kRelightView);
  EXPECT_EQ(dirtColour(), (Color3B{110, 110, 110}));
}

TEST_F(TileRefreshTest, TheNoticeFlagsRebuildTheCellAndTheNeighboursTheyName) {
  const struct {
    uint8_t flags;
    int dx, dy;
  } cases[] = {{TileSprites::kRebuildCell, 0, 0},
               {TileSprites::kRebuildLeft, -1, 0},
               {TileSprites::kRebuildRight, 1, 0},
               {TileSprites::kRebuildUp, 0, 1},
               {TileSprites::kRebuildDown, 0, -1}};
  for (const auto& c : cases) {
    MapBlock& target = map->cell(10 + c.dx, 11 + c.dy);
    target.setFront(world_test::kGlass, 0, 0);
    window->updateTileAndNeighbours(map->cell(10, 11), c.flags);
    EXPECT_NE(slot(10 + c.dx, 11 + c.dy, R::kFront), nullptr) << int(c.flags);
    // The other neighbours were left as they were.
    for (const auto& other : cases) {
      if (&other == &c) continue;
      MapBlock& cell = map->cell(10 + other.dx, 11 + other.dy);
      if (cell.frontId() == 0) {
        EXPECT_EQ(slot(10 + other.dx, 11 + other.dy, R::kFront), nullptr);
      }
    }
    target.setFront(0, 0, 0);
    window->updateAt(target);
  }
}

TEST_F(TileRefreshTest, TheWorldsCellRefreshRebuildsTheCellAndTheShadowEdgesAround) {
  map->cell(10, 11).setFront(world_test::kGlass, 0, 0);
  map->cell(11, 11).setLayer(world_test::kDirt, 0, MapBlock::kBack);  // the wall the edge falls on
  window->updateAt(map->cell(11, 11));
  ASSERT_EQ(slot(11, 11, R::kFirstEdge + 3), nullptr);
  map->cell(11, 11).skyShadow = static_cast<uint8_t>(0xF0 | 0x08);  // an edge on its left side
  refresh.refreshCell(map->cell(10, 11));
  EXPECT_NE(slot(10, 11, R::kFront), nullptr);
  EXPECT_NE(slot(11, 11, R::kFirstEdge + 3), nullptr);
}

// Whoever edits the world, the window shows the change without being rebuilt: a mined cell stops
// drawing its block, a placed one starts.
TEST_F(TileRefreshTest, EveryAppliedEditRedrawsItsCellInTheWindow) {
  WorldContext context = world->context();
  context.refresh = &refresh;
  world->setContext(context);
  ASSERT_NE(slot(10, 9, R::kFront), nullptr);
  EXPECT_FALSE(world->applyBlockEdit(editForCell(map->cell(10, 9), edit_kind::kRemoveLayer), nullptr).wasRefused());
  EXPECT_EQ(slot(10, 9, R::kFront), nullptr) << "the mined cell still draws its block";
  const BlockEdit place = editForCell(map->cell(11, 10), edit_kind::kSetLayerBlock, world_test::kGlass);
  EXPECT_FALSE(world->applyBlockEdit(place, nullptr).wasRefused());
  EXPECT_NE(slot(11, 10, R::kFront), nullptr) << "the placed block is not drawn";
}

TEST(TileRefreshWithoutWindow, EveryCallDoesNothing) {
  TileRefresh refresh;
  MapBlock cell;
  refresh.refreshCell(cell);
  refresh.cellChanged(cell, 0xFF);
  refresh.setFlags(true, true);
  EXPECT_FALSE(refresh.refreshWanted());
  int entityRelights = 0;
  refresh.setEntityRelight([&entityRelights] { ++entityRelights; });
  refresh.refreshWorldLighting();
  EXPECT_EQ(entityRelights, 1);
}

}  // namespace
