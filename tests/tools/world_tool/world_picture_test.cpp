// World pictures colour a block by the mean of its frame in the block atlas, counting only what
// the frame shows (alpha-weighted), and keep an id's own colour where there is no art.
#include <gtest/gtest.h>

#include <vector>

#include "content/art/block_atlas_layout.h"
#include "tools/world_tool/world_picture.h"

namespace world_tool {
namespace {

struct Atlas {
  std::vector<unsigned char> rgba = std::vector<unsigned char>(size_t(art::kBlockAtlasSize) * art::kBlockAtlasSize * 4);
  void paint(uint16_t id, int rows, unsigned char r, unsigned char g, unsigned char b, unsigned char a, int fromRow = 0) {
    const engine::Rect f = art::blockSpriteRect(id, 0);
    for (int y = fromRow; y < fromRow + rows; ++y) {
      for (int x = 0; x < art::kFrameSize; ++x) {
        unsigned char* p = &rgba[(size_t(f.origin.y + y) * art::kBlockAtlasSize + size_t(f.origin.x + x)) * 4];
        p[0] = r, p[1] = g, p[2] = b, p[3] = a;
      }
    }
  }
};

TEST(BlockColours, AreTheAlphaWeightedMeanOfTheFrame) {
  Atlas atlas;
  atlas.paint(5, 15, 200, 0, 0, 255);              // top half red, bottom half clear
  atlas.paint(6, 15, 200, 0, 0, 255);              // red over blue
  atlas.paint(6, 15, 0, 0, 200, 255, 15);
  atlas.paint(2100, 30, 0, 120, 0, 255);           // the right half of the atlas
  atlas.paint(8, 30, 255, 255, 255, 0);            // white but fully clear: no art
  BlockColours colours;
  colours.setFromAtlas(atlas.rgba.data(), art::kBlockAtlasSize, art::kBlockAtlasSize);
  EXPECT_EQ(colours.colour(5), 0xC80000u);
  EXPECT_EQ(colours.colour(6), 0x640064u);
  EXPECT_EQ(colours.colour(2100), 0x007800u);
  EXPECT_EQ(colours.colour(8), blockColour(8));
  EXPECT_EQ(colours.colour(7), blockColour(7));
}

TEST(BlockColours, AMissingOrSmallAtlasLeavesTheIdColours) {
  BlockColours colours;
  EXPECT_FALSE(colours.loadAtlas("/nonexistent/rocks.png"));
  EXPECT_EQ(colours.colour(300), blockColour(300));
  std::vector<unsigned char> tiny(64 * 64 * 4, 255);  // only the first frames fit
  colours.setFromAtlas(tiny.data(), 64, 64);
  EXPECT_EQ(colours.colour(1), 0xFFFFFFu);
  EXPECT_EQ(colours.colour(40), blockColour(40));
}

}  // namespace
}  // namespace world_tool
