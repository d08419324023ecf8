#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

#include "content/items/item.h"
#include "content/items/item_pool.h"

namespace {

TEST(ItemPoolTest, TwoThreadsShareThePoolWithoutHandingOutASlotTwice) {
  constexpr int ROUNDS = 2000;
  auto work = [](std::vector<Item*>& kept) {
    for (int i = 0; i < ROUNDS; ++i) {
      Item* item = newItem(static_cast<uint16_t>(4096 + (i % 100)), 0, 1, 0, 0);
      if (i % 3 == 0) {
        freeItem(item);
      } else {
        kept.push_back(item);
      }
    }
  };
  std::vector<Item*> mainItems, loaderItems;
  std::thread loader(work, std::ref(loaderItems));
  work(mainItems);
  loader.join();
  std::set<Item*> all(mainItems.begin(), mainItems.end());
  all.insert(loaderItems.begin(), loaderItems.end());
  EXPECT_EQ(all.size(), mainItems.size() + loaderItems.size());
  for (Item* item : all) {
    EXPECT_TRUE(item->id >= 4096 && item->id < 4196) << item->id;
    freeItem(item);
  }
}

}  // namespace
