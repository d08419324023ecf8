#include "content/art/mob_atlas_layout.h"

#include <bit>
#include <cstdint>

#include <gtest/gtest.h>

#include "content/format/record_layout.h"
#include "content/tables/mob_def.h"

namespace {

MobPartFrame frame(float x, float y, float w, float h) {
  MobPartFrame f{};
  const float values[4] = {x, y, w, h};
  for (size_t i = 0; i < 4; ++i) {  // the rectangle leads the frame, little-endian as in the file
    const uint32_t bits = std::bit_cast<uint32_t>(values[i]);
    for (size_t b = 0; b < 4; ++b) f[content::mob_frame_record::rect + 4 * i + b] = uint8_t(bits >> (8 * b));
  }
  return f;
}

TEST(MobAtlasLayout, EachRowOwnsASixtyFourPixelCell) {
  EXPECT_EQ(art::mobAtlasCell(0), engine::Rect(0, 0, 64, 64));
  EXPECT_EQ(art::mobAtlasCell(2), engine::Rect(128, 0, 64, 64));
  EXPECT_EQ(art::mobAtlasCell(33), engine::Rect(64, 64, 64, 64));
  EXPECT_EQ(art::mobAtlasCell(1023), engine::Rect(1984, 1984, 64, 64));
  EXPECT_EQ(art::mobAtlasCell(1024), engine::Rect());
}

TEST(MobAtlasLayout, PicturesAreTheDistinctRectanglesInFirstShownOrder) {
  MobPartLayout layout;
  layout.partModes = {1, 1};
  layout.animations.push_back({0, {frame(128, 0, 28, 24), frame(156, 0, 12, 14)}});
  layout.animations.push_back({1, {frame(128, 0, 28, 24), frame(156, 14, 6, 10)}});
  const std::vector<art::MobPartPicture> pictures = art::mobPartPictures(layout);
  ASSERT_EQ(pictures.size(), 3u);
  EXPECT_EQ(pictures[0].rect, engine::Rect(128, 0, 28, 24));
  EXPECT_EQ(pictures[2].part, 1);
  EXPECT_EQ(pictures[2].rect, engine::Rect(156, 14, 6, 10));
}

}  // namespace
