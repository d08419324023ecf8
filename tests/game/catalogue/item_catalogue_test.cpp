// The creative catalogue: categories filtered by planet mask, spawner icons carrying the entry,
// pages of 36, and the pinned list that holds 36 sorted ids and empties with a new filter.
#include <gtest/gtest.h>

#include <vector>

#include "game/catalogue/item_catalogue.h"
#include "tests/game/content_rows.h"

namespace {

constexpr uint32_t kBlocks = 1, kSpawners = 10;

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

  catalogue.setCatalogueFilter(0);
  for (size_t i = 0; i < ItemCatalogue::kCategoryCount; ++i) EXPECT_EQ(catalogue.category(i).passed, 0u);
}

TEST_F(ItemCatalogueTest, SpawnersShowThePlanetIconCarryingTheEntry) {
  std::array<std::vector<CatalogueSource>, ItemCatalogue::kCategoryCount> sources;
  sources[kSpawners] = {{300, 4}, {301, 2048}, {302, 6}};
  catalogue.setSources(sources, 0xFFF);
  const auto& shown = catalogue.category(kSpawners).shown;
  ASSERT_EQ(shown.size(), 3u);
  struct Expect {
    uint16_t icon, entry;
  } expected[] = {{1041, 300}, {1295, 301}, {913, 302}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(shown[i].id, expected[i].icon) << i;
    EXPECT_EQ(shown[i].word & 0xFFFF, expected[i].entry) << i;
    EXPECT_EQ(shown[i].count, 1) << i;
  }
}

TEST_F(ItemCatalogueTest, EntriesAreReadPageByPage) {
  std::array<std::vector<CatalogueSource>, ItemCatalogue::kCategoryCount> sources;
  for (uint16_t id = 0; id < 40; ++id) sources[0].push_back({static_cast<uint16_t>(100 + id), 1});
  catalogue.setSources(sources, 1);
  ASSERT_NE(catalogue.catalogueEntry(0, 5, 5), nullptr);
  EXPECT_EQ(catalogue.catalogueEntry(0, 5, 5)->id, 135);
  EXPECT_EQ(catalogue.catalogueEntry(1, 3, 0)->id, 139);
  EXPECT_EQ(catalogue.catalogueEntry(1, 4, 0), nullptr);
  EXPECT_EQ(catalogue.catalogueEntry(0, 6, 0), nullptr) << "a column past the page";
}

TEST_F(ItemCatalogueTest, PinsStaySortedAndStopAtThirtySix) {
  pin({50, 7, 30});
  EXPECT_EQ(catalogue.pinned().ids[0], 7);
  EXPECT_EQ(catalogue.pinned().ids[2], 50);
  EXPECT_EQ(catalogue.pinned().ids[3], PinnedList::kFree);
  pin({30});  // unpins
  EXPECT_EQ(catalogue.pinned().count, 2u);
  EXPECT_EQ(catalogue.pinned().ids[1], 50);

  for (uint16_t id = 100; catalogue.pinned().count < 36; ++id) pin({id});
  EXPECT_FALSE(catalogue.togglePinned(999)) << "a 37th pin";
  pin({7, 999});
  EXPECT_EQ(catalogue.pinned().ids[35], 999);
  EXPECT_FALSE(catalogue.togglePinned(PinnedList::kFree));
}

TEST_F(ItemCatalogueTest, PinnedListIsReadAsItems) {
  pin({60, 40});
  catalogue.selectList(ItemCatalogue::kPinnedList);
  ASSERT_NE(catalogue.catalogueEntry(0, 1, 0), nullptr);
  EXPECT_EQ(catalogue.catalogueEntry(0, 1, 0)->id, 60);
  EXPECT_EQ(catalogue.catalogueEntry(0, 2, 0), nullptr);
  EXPECT_EQ(catalogue.pinnedItem(36), nullptr);
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
