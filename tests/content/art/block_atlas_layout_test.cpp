#include "content/art/block_atlas_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(BlockAtlasLayout, BlocksFillTwoHalvesOfThirtyTwoPixelCells) {
  struct Case { uint16_t id; uint8_t variant; float x, y; };
  const Case cases[] = {
      {0, 0, 1, 1},       {1, 0, 33, 1},       {31, 0, 993, 1},  {32, 0, 1, 33},
      {30, 2, 1, 33},     {2048, 0, 1025, 1},  {2064, 3, 1633, 1}, {2128, 15, 2017, 65},
  };
  for (const Case& c : cases) {
    const engine::Rect r = art::blockSpriteRect(c.id, c.variant);
    EXPECT_EQ(r, engine::Rect(c.x, c.y, 30, 30)) << c.id << " v" << int(c.variant);
  }
}

TEST(BlockAtlasLayout, LiquidFramesByAmountsOrActivity) {
  using art::LiquidKind;
  // One and three: column 2, row 1.
  EXPECT_EQ(art::liquidSpriteRect(LiquidKind::Water, 1, 3, false), engine::Rect(65, 33, 30, 30));
  // A moving lava cell shows its active frame whatever its amounts.
  EXPECT_EQ(art::liquidSpriteRect(LiquidKind::Lava, 4, 1, true), engine::Rect(193, 129, 30, 30));
  EXPECT_EQ(art::liquidSpriteRect(LiquidKind::Acid, 4, 4, false), engine::Rect(353, 129, 30, 30));
  // Every frame stays inside the atlas, even with no amounts at all.
  for (int a = 0; a <= 4; ++a) {
    for (int b = 0; b <= 4; ++b) {
      const engine::Rect r = art::liquidSpriteRect(LiquidKind::Acid, uint8_t(a), uint8_t(b), false);
      EXPECT_GE(r.getMinX(), 256);
      EXPECT_LE(r.getMaxX(), art::kLiquidAtlasWidth);
      EXPECT_LE(r.getMaxY(), art::kLiquidAtlasHeight);
    }
  }
}

}  // namespace
