#include "content/art/mob_atlas_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(MobAtlasLayout, EachRowOwnsASixtyFourPixelCell) {
  EXPECT_EQ(art::mobAtlasCell(0), engine::Rect(0, 0, 64, 64));
  EXPECT_EQ(art::mobAtlasCell(2), engine::Rect(128, 0, 64, 64));
  EXPECT_EQ(art::mobAtlasCell(33), engine::Rect(64, 64, 64, 64));
  EXPECT_EQ(art::mobAtlasCell(1023), engine::Rect(1984, 1984, 64, 64));
  EXPECT_EQ(art::mobAtlasCell(1024), engine::Rect());
}

}  // namespace
