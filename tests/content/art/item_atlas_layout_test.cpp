#include "content/art/item_atlas_layout.h"

#include <gtest/gtest.h>

#include "tests/content/art/atlas_occupancy.h"

namespace {

TEST(ItemAtlasLayout, IconsFillRowsOfEighteenPixelCells) {
  struct Case { uint16_t id; uint8_t variant; float x, y; };
  const Case cases[] = {
      {0, 0, 1, 1},      {1, 0, 19, 1},       {112, 0, 2017, 1},   {113, 0, 1, 19},
      {4095, 0, 487, 649}, {0, 1, 505, 649},  {2, 2, 1045, 1297},
      // Past the atlas's variants, and past the ids: the first look, and id 0.
      {7, 3, 127, 1},    {0xFFFF, 0, 1, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(art::itemIconRect(c.id, c.variant), engine::Rect(c.x, c.y, 16, 16)) << c.id << " v" << int(c.variant);
  }
}

TEST(ItemAtlasLayout, EveryIconOfEveryVariantHasItsOwnPixelsInsideTheAtlas) {
  AtlasOccupancy atlas(art::kItemAtlasSize, art::kItemAtlasSize);
  for (int variant = 0; variant < art::kItemIconVariants; ++variant) {
    for (int id = 0; id < art::kItemIdCount; ++id) {
      const std::string name = std::to_string(id) + "/" + std::to_string(variant);
      const std::string fault = atlas.claim(art::itemIconRect(uint16_t(id), uint8_t(variant)), name);
      ASSERT_TRUE(fault.empty()) << fault;
    }
  }
}

}  // namespace
