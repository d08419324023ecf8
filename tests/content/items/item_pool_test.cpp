#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "content/items/item.h"

namespace {

TEST(ItemPoolTest, TwoThreadsShareThePoolWithoutHandingOutASlotTwice) {
  constexpr int ROUNDS = 2000;
  // Every third stack goes back to the pool at once, for the other thread to take.
  auto work = [](std::vector<ItemPtr>& kept) {
    for (int i = 0; i < ROUNDS; ++i) {
      ItemPtr item = newItem(static_cast<uint16_t>(4096 + (i % 100)), 0, 1, 0, 0);
      if (i % 3 != 0) kept.push_back(std::move(item));
    }
  };
  std::vector<ItemPtr> mainItems, loaderItems;
  std::thread loader(work, std::ref(loaderItems));
  work(mainItems);
  loader.join();
  std::set<const Item*> all;
  for (const std::vector<ItemPtr>* kept : {&mainItems, &loaderItems}) {
    for (const ItemPtr& item : *kept) {
      all.insert(item.get());
      EXPECT_TRUE(item->id >= 4096 && item->id < 4196) << item->id;
    }
  }
  EXPECT_EQ(all.size(), mainItems.size() + loaderItems.size());
}

}  // namespace
