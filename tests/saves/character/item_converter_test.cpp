// Saves of the build that still held retired items must load them as their replacements;
// every other build keeps its items.
#include "saves/character/item_converter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "content/items/item.h"
#include "content/tables/content_tables.h"

namespace {

TEST(ItemConverterTest, RetiredItemsOfTheOldBuildAreReplaced) {
  resetContentTables();
  struct Case {
    uint32_t build;
    uint16_t id;
    std::vector<uint16_t> allowed;
  } cases[] = {
      {29100, 61, {1079, 55, 311, 567, 823}},
      {29100, 7, {7}},
      {30000, 61, {61}},
  };
  for (const Case& c : cases) {
    for (int draw = 0; draw < 20; ++draw) {
      const ItemPtr item = itemConverterForBuild(c.build)(DiskItem{0x12, c.id, 1, 30, 0});
      ASSERT_NE(item, nullptr);
      EXPECT_NE(std::find(c.allowed.begin(), c.allowed.end(), item->id), c.allowed.end())
          << c.build << " " << c.id << " became " << item->id;
      EXPECT_EQ(item->word, 0x12u);
    }
  }
  EXPECT_EQ(itemConverterForBuild(29100)(DiskItem{}), nullptr);
}

}  // namespace
