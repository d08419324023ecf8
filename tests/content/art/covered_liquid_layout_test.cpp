// The frames of covered full liquid cells: inside the liquid atlas, one per depth band with deeper
// cells sharing the last, and clear of every frame a pair of amounts or moving liquid uses.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "content/art/block_atlas_layout.h"

namespace {

using art::LiquidKind;

std::pair<float, float> corner(const engine::Rect& r) { return {r.origin.x, r.origin.y}; }

TEST(CoveredLiquidLayout, EachDepthBandHasItsOwnFrameApartFromTheAmountFrames) {
  for (LiquidKind kind : {LiquidKind::Water, LiquidKind::Lava, LiquidKind::Acid}) {
    std::set<std::pair<float, float>> used;
    for (int a = 0; a <= art::kLiquidMaxAmount; ++a) {
      for (int b = 0; b <= art::kLiquidMaxAmount; ++b) used.insert(corner(art::liquidSpriteRect(kind, uint8_t(a), uint8_t(b), false)));
    }
    used.insert(corner(art::liquidSpriteRect(kind, 0, 0, true)));
    std::set<std::pair<float, float>> covered;
    for (int depth = 1; depth <= art::kLiquidDepthBands; ++depth) {
      const engine::Rect r = art::coveredLiquidSpriteRect(kind, depth);
      EXPECT_EQ(used.count(corner(r)), 0u) << int(kind) << " depth " << depth;
      EXPECT_LE(r.getMaxX(), art::kLiquidAtlasWidth);
      EXPECT_LE(r.getMaxY(), art::kLiquidAtlasHeight);
      EXPECT_EQ(r.size, engine::Size(art::kFrameSize, art::kFrameSize));
      covered.insert(corner(r));
    }
    EXPECT_EQ(covered.size(), size_t(art::kLiquidDepthBands));
    EXPECT_EQ(art::coveredLiquidSpriteRect(kind, 40), art::coveredLiquidSpriteRect(kind, art::kLiquidDepthBands));
    EXPECT_EQ(art::coveredLiquidSpriteRect(kind, 0), art::coveredLiquidSpriteRect(kind, 1));
  }
}

}  // namespace
