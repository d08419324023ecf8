#include "engine/scene/running_actions.h"

#include <gtest/gtest.h>

#include <vector>

using namespace engine;

namespace {

// The words field stands for each entry's identity.
std::vector<uint32_t> wordsOf(const RunningActions& list) {
  std::vector<uint32_t> words;
  for (size_t i = 0; i < list.size(); ++i) words.push_back(list[i].words);
  return words;
}

RunningActions listOf(uint32_t count) {
  RunningActions list;
  for (uint32_t i = 1; i <= count; ++i) list.push_back(RunningAction{nullptr, 0, i});
  return list;
}

TEST(RunningActionsTest, EntriesKeepTheirOrderAsTheListGrowsPastItsFirstPlace) {
  EXPECT_EQ(wordsOf(listOf(9)), (std::vector<uint32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(RunningActionsTest, AnErasedEntrysGapClosesWithTheOrderKept) {
  struct Case {
    uint32_t count;
    size_t erased;
    std::vector<uint32_t> left;
  };
  const Case cases[] = {
      {1, 0, {}},           {2, 0, {2}},          {2, 1, {1}},
      {5, 0, {2, 3, 4, 5}}, {5, 2, {1, 2, 4, 5}}, {5, 4, {1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    RunningActions list = listOf(c.count);
    list.erase(c.erased);
    EXPECT_EQ(wordsOf(list), c.left) << c.count << " entries, erasing " << c.erased;
  }
}

TEST(RunningActionsTest, AMovedListTakesEveryEntryAndLeavesItsSourceEmpty) {
  RunningActions source = listOf(6);
  RunningActions moved(std::move(source));
  EXPECT_EQ(wordsOf(moved), (std::vector<uint32_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_TRUE(source.empty());  // NOLINT(bugprone-use-after-move): moving empties on purpose
  source = std::move(moved);
  EXPECT_EQ(source.size(), 6u);
  source.push_back(RunningAction{nullptr, 0, 7});
  EXPECT_EQ(wordsOf(source).back(), 7u);
}

}  // namespace
