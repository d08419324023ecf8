#include "engine/scene/running_actions.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/base/ref_ptr.h"
#include "engine/scene/delay_time.h"
#include "scene_fixture.h"

using namespace engine;

namespace {

// Entries are delays of 1, 2, 3... seconds: an entry's duration stands for its identity.
class RunningActionsTest : public scenetest::SceneTest {
 protected:
  Action* entry(uint32_t number) {
    while (made_.size() < number) made_.emplace_back(DelayTime::create(static_cast<float>(made_.size() + 1)));
    return made_[number - 1].get();
  }
  RunningActions listOf(uint32_t count) {
    RunningActions list;
    for (uint32_t i = 1; i <= count; ++i) list.push_back(entry(i));
    return list;
  }
  static std::vector<uint32_t> numbersOf(const RunningActions& list) {
    std::vector<uint32_t> numbers;
    for (size_t i = 0; i < list.size(); ++i) {
      numbers.push_back(static_cast<uint32_t>(static_cast<const DelayTime*>(list[i])->getDuration()));
    }
    return numbers;
  }

 private:
  std::vector<RefPtr<Action>> made_;
};

TEST_F(RunningActionsTest, EntriesKeepTheirOrderAsTheListGrowsPastItsFirstPlace) {
  EXPECT_EQ(numbersOf(listOf(9)), (std::vector<uint32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(RunningActionsTest, AnErasedEntrysGapClosesWithTheOrderKept) {
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
    EXPECT_EQ(numbersOf(list), c.left) << c.count << " entries, erasing " << c.erased;
  }
}

TEST_F(RunningActionsTest, AMovedListTakesEveryEntryAndLeavesItsSourceEmpty) {
  RunningActions source = listOf(6);
  RunningActions moved(std::move(source));
  EXPECT_EQ(numbersOf(moved), (std::vector<uint32_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_TRUE(source.empty());  // NOLINT(bugprone-use-after-move): moving empties on purpose
  source = std::move(moved);
  EXPECT_EQ(source.size(), 6u);
  source.push_back(entry(7));
  EXPECT_EQ(numbersOf(source).back(), 7u);
}

}  // namespace
