#include "platform/key_bindings.h"

#include <gtest/gtest.h>

namespace {

using kel::KeyBindings;

constexpr uint32_t KEY_W = 143;

TEST(KeyBindings, DefaultBindingsAndActionsOutsideTheTableSaveNothing) {
  KeyBindings bindings;
  bindings.load({"3:124"});  // loading a default binding changes nothing
  bindings.bind(12, KEY_W);  // nor do actions outside the table
  bindings.bind(0xFFFFFFFFu, KEY_W);
  EXPECT_EQ(bindings.keyOf(0), KEY_W);
  EXPECT_EQ(bindings.keyOf(12), 0u);
  EXPECT_TRUE(bindings.save().empty());
}

TEST(KeyBindings, BindingAKeyInUseMovesItAndTheSavedFormLoadsBackTheSameTable) {
  KeyBindings original;
  original.bind(10, KEY_W);
  EXPECT_EQ(original.keyOf(0), 0u);
  original.bind(4, 200);
  original.bind(9, 6);  // escape: pause becomes unbound
  KeyBindings restored;
  restored.load(original.save());
  for (uint32_t action = 0; action < 12; ++action) {
    EXPECT_EQ(restored.keyOf(action), original.keyOf(action)) << action;
  }
  restored.load({"1:50", "2:50"});  // later entries win a key that earlier ones took
  EXPECT_EQ(restored.keyOf(1), 0u);
  EXPECT_EQ(restored.keyOf(2), 50u);
}

TEST(KeyBindings, SwappingAKeyInUseGivesTheOtherActionTheOldKeyAndSavesBothWays) {
  constexpr uint32_t KEY_A = 121;
  constexpr uint32_t KEY_D = 124;
  KeyBindings bindings;
  EXPECT_EQ(bindings.swap(3, KEY_A), std::optional<uint32_t>(2));  // move right takes move left's A
  EXPECT_EQ(bindings.keyOf(3), KEY_A);
  EXPECT_EQ(bindings.keyOf(2), KEY_D);
  KeyBindings restored;
  restored.load(bindings.save());
  EXPECT_EQ(restored.keyOf(2), KEY_D);
  EXPECT_EQ(restored.keyOf(3), KEY_A);

  EXPECT_EQ(bindings.swap(3, KEY_A), std::nullopt) << "its own key again changes nothing";
  EXPECT_EQ(bindings.keyOf(2), KEY_D);
  EXPECT_EQ(bindings.swap(4, 200), std::nullopt) << "a free key takes nothing from anyone";
  EXPECT_EQ(bindings.keyOf(4), 200u);
  bindings.bind(9, 0);
  EXPECT_EQ(bindings.swap(8, 0), std::nullopt) << "unbinding leaves the other unbound actions alone";
  EXPECT_EQ(bindings.keyOf(9), 0u);
  EXPECT_EQ(bindings.keyOf(8), 0u);
  EXPECT_EQ(bindings.swap(12, KEY_W), std::nullopt);
  EXPECT_EQ(bindings.keyOf(0), KEY_W) << "an action outside the table changes nothing";
}

TEST(KeyBindings, DamagedEntriesAreSkippedWithoutHarm) {
  KeyBindings bindings;
  bindings.load({"3", ":5", "12:5", "3:5 ", "1:2:3", "1:99999999999", "3:+5"});
  EXPECT_TRUE(bindings.save().empty());
  bindings.load({"bad", "6:77", "junk:"});
  EXPECT_EQ(bindings.save(), (std::vector<std::string>{"6:77"}));
}

}  // namespace
