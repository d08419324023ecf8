#include <gtest/gtest.h>

#include <vector>

#include "engine/scene/callback_slots.h"

using namespace engine;

namespace {

// A running callback may add many more: neither it nor any other may move meanwhile.
TEST(CallbackSlotsTest, CallbacksKeepTheirPlaceAndWhatTheyHoldAsMoreAreAdded) {
  CallbackSlots slots;
  std::vector<int> runs(500, 0);
  std::vector<const SchedulerCallback*> places;
  for (uint32_t i = 0; i < runs.size(); ++i) {
    slots.append([&runs, i](float) { ++runs[i]; });
    places.push_back(&slots[i]);
  }
  ASSERT_EQ(slots.size(), runs.size());
  for (uint32_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(&slots[i], places[i]) << "slot " << i;
    slots[i](0.0f);
    EXPECT_EQ(runs[i], 1) << "slot " << i;
  }
}

TEST(CallbackSlotsTest, AReplacedCallbackRunsInsteadOfTheOldOne) {
  CallbackSlots slots;
  int oldRuns = 0, newRuns = 0;
  slots.append([&](float) { ++oldRuns; });
  slots[0] = nullptr;
  EXPECT_FALSE(slots[0]);
  slots[0] = [&](float) { ++newRuns; };
  slots[0](0.0f);
  EXPECT_EQ(oldRuns, 0);
  EXPECT_EQ(newRuns, 1);
}

}  // namespace
