#include "content/art/item_atlas_layout.h"

#include <gtest/gtest.h>

#include <cstring>

#include "content/art/item_icon_of.h"
#include "content/format/record_layout.h"
#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "content/tables/mob_def.h"
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
  AtlasOccupancy atlas(art::kItemAtlasSize, art::kItemAtlasHeight);
  for (int variant = 0; variant < art::kItemIconVariants; ++variant) {
    for (int id = 0; id < art::kItemIdCount; ++id) {
      const std::string name = std::to_string(id) + "/" + std::to_string(variant);
      const std::string fault = atlas.claim(art::itemIconRect(uint16_t(id), uint8_t(variant)), name);
      ASSERT_TRUE(fault.empty()) << fault;
    }
  }
  // The spawn eggs after them, each mob's its own.
  for (int mob = 0; mob < art::kSpawnEggMobCount; ++mob) {
    const std::string fault = atlas.claim(art::spawnEggIconRect(uint16_t(mob)), "egg " + std::to_string(mob));
    ASSERT_TRUE(fault.empty()) << fault;
  }
}

TEST(ItemAtlasLayout, AnEggNamingAMobOfTheContentShowsThatMobsEgg) {
  resetContentTables();
  MobDef& slime = contentTables().mobDefs[7];
  const float width = 20.0f;
  std::memcpy(&slime.bytes[content::mob_record::spriteRect + 8], &width, sizeof width);
  EXPECT_EQ(art::itemIconRectOf(Item(913, 0, 1, 0, 7)), art::spawnEggIconRect(7));
  EXPECT_EQ(art::itemIconRectOf(Item(1041, 1, 1, 0, 0x00030007)), art::spawnEggIconRect(7)) << "its word's low bits";
  EXPECT_EQ(art::itemIconRectOf(Item(913, 1, 1, 0, 8)), art::itemIconRect(913, 1)) << "no mob 8: the egg's own";
  EXPECT_EQ(art::itemIconRectOf(Item(1233, 0, 1, 0, 7)), art::itemIconRect(1233, 0)) << "a holder that names no mob";
  EXPECT_EQ(art::itemIconRectOf(Item(64, 2, 1, 0, 7)), art::itemIconRect(64, 2)) << "other items keep their icon";
  resetContentTables();
}

}  // namespace
