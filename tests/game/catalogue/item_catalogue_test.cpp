// The creative catalogue: categories filtered by planet mask, and the pinned list of 36 ids that
// empties with a new filter.
#include <gtest/gtest.h>

#include <vector>

#include "game/catalogue/item_catalogue.h"
#include "tests/game/content_rows.h"

namespace {

constexpr uint32_t kBlocks = 1;

class ItemCatalogueTest : public test_rows::ContentTest {
 protected:
  std::vector<uint16_t> shownIds(size_t category) const {
    std::vector<uint16_t> ids;
    for (const Item& item : catalogue.category(category).shown) ids.push_back(item.id);
    return ids;
  }
  void pin(std::initializer_list<uint16_t> ids) {
    for (uint16_t id : ids) ASSERT_TRUE(catalogue.togglePinned(id)) << id;
  }

  ItemCatalogue catalogue;
};

TEST_F(ItemCatalogueTest, FilterKeepsEntriesSharingAPlanetBit) {
  std::array<std::vector<CatalogueSource>, ItemCatalogue::kCategoryCount> sources;
  sources[kBlocks] = {{20, 1}, {21, 2}, {22, 3}, {23, 2048}};
  catalogue.setSources(sources, 1);
  EXPECT_EQ(shownIds(kBlocks), (std::vector<uint16_t>{20, 22}));

  catalogue.setCatalogueFilter(2 | 2048);
  EXPECT_EQ(shownIds(kBlocks), (std::vector<uint16_t>{21, 22, 23}));
  EXPECT_EQ(catalogue.category(kBlocks).passed, 3u);
}

TEST_F(ItemCatalogueTest, NewFilterFreesThePinsAndTheirCount) {
  for (uint16_t id = 0; id < 36; ++id) pin({id});
  catalogue.selectList(ItemCatalogue::kPinnedList);
  catalogue.setCatalogueFilter(1);
  EXPECT_EQ(catalogue.currentList(), 0u);
  EXPECT_EQ(catalogue.pinned().count, 0u);
  EXPECT_EQ(catalogue.pinnedItem(0), nullptr);
  EXPECT_TRUE(catalogue.togglePinned(12)) << "all 36 places are free again";
  EXPECT_EQ(catalogue.pinned().ids[0], 12);
}

}  // namespace
