// The collection book: each page's entries and what marks them discovered, judged by the
// statistics store's counts at the moment of asking.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/collections/collection_book.h"
#include "game/collections/standard_pages.h"
#include "game/stats/stats_store.h"
#include "tests/game/content_rows.h"

namespace stats {
namespace {

enum Page { kTreasures, kHats, kShirts, kPants, kShoes, kBlocks, kPlants, kFruits, kFish, kCooking, kPets };

constexpr uint16_t kHat = 30, kArmourHat = 31, kGoblet = 40, kBrickItem = 50, kBrickBlock = 900;
constexpr uint16_t kCarp = 959, kTrout = 960;

class CollectionsTest : public test_rows::ContentTest {
 protected:
  void SetUp() override {
    ContentTest::SetUp();
    test_rows::defineItem(kHat, 10);
    test_rows::defineItem(kArmourHat, 10).buff = &armour;
    ItemDef& goblet = test_rows::defineItem(kGoblet, 15);
    goblet.record.bytes[content::item_record::outlineSprite] = 6;
    goblet.record.bytes[content::item_record::variantCount] = 1;
    test_rows::putU16(test_rows::defineItem(kBrickItem, 4).record, content::item_record::placesBlock, kBrickBlock);
    test_rows::setRecipe(0, {.layout = 0, .result = 70, .grid = {7}, .station = 12});
    test_rows::setRecipe(1, {.layout = 0, .result = 71, .grid = {7}, .station = 3});
    ASSERT_TRUE(languageTexts().loadText(R"({"treasures": [{"id": 40, "name": "Goblet"},
        {"id": 50, "name": "Brick"}, {"id": 959, "name": "Carp"}, {"id": 2052, "name": "Apple"}]})"));

    pages = initCollections(store, {.plants = {{0, 1}, {2208, 2300}},
                                    .fruits = {2052, 2053, 2052},
                                    .catches = {kTrout, kCarp, kCarp},
                                    .pets = {1373, 1373}});
    for (auto& page : pages) page->rebuild();
  }
  Collection& page(Page p) { return *pages.at(p); }
  std::vector<uint16_t> entries(Page p) {
    std::vector<uint16_t> ids;
    for (size_t i = 0; i < page(p).count(); ++i) ids.push_back(page(p).iconNode(i));
    return ids;
  }
  std::vector<bool> marks(Page p) {
    std::vector<bool> found;
    for (size_t i = 0; i < page(p).count(); ++i) found.push_back(page(p).discovered(i));
    return found;
  }

  BuffSpec armour;
  StatsStore store;
  std::vector<std::unique_ptr<Collection>> pages;
};

TEST_F(CollectionsTest, PagesListWhatExistsOfTheirKind) {
  EXPECT_EQ(entries(kTreasures), std::vector<uint16_t>{kGoblet});
  EXPECT_EQ(entries(kHats), std::vector<uint16_t>{kHat}) << "a hat with armour is not fancy";
  EXPECT_EQ(entries(kBlocks), std::vector<uint16_t>{kBrickItem});
  EXPECT_EQ(entries(kPlants), std::vector<uint16_t>{2208}) << "rows without a first id are left out";
  EXPECT_EQ(entries(kFruits), (std::vector<uint16_t>{2052, 2053})) << "sorted, each once";
  EXPECT_EQ(entries(kFish), (std::vector<uint16_t>{kTrout, kCarp, kCarp})) << "the catch table as it is";
  EXPECT_EQ(entries(kCooking), std::vector<uint16_t>{70});
  EXPECT_EQ(entries(kPets), std::vector<uint16_t>{1373});
}

TEST_F(CollectionsTest, EachPageIsMarkedByItsOwnStatistic) {
  store.recordStatEvent(stat_number::kFishCaught, kCarp);
  EXPECT_EQ(marks(kFish), (std::vector<bool>{false, true, true}));

  store.recordStatEvent(stat_number::kPlaced, kHat);
  EXPECT_EQ(marks(kHats), std::vector<bool>{false}) << "placing a hat is not wearing it";
  store.recordStatEvent(stat_number::kWorn, kHat);
  EXPECT_EQ(marks(kHats), std::vector<bool>{true});

  store.recordStatEvent(stat_number::kPlaced, kBrickItem);
  EXPECT_EQ(marks(kBlocks), std::vector<bool>{false}) << "the block, not the item, is counted";
  store.recordStatEvent(stat_number::kPlaced, kBrickBlock);
  EXPECT_EQ(marks(kBlocks), std::vector<bool>{true});

  store.recordStatEvent(stat_number::kPlaced, 2300);
  EXPECT_EQ(marks(kPlants), std::vector<bool>{true});
  store.recordStatEvent(stat_number::kCrafted, 70);
  EXPECT_EQ(marks(kCooking), std::vector<bool>{true});
}

}  // namespace
}  // namespace stats
