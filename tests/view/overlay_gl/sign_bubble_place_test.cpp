// Where the sign bubble goes: above the sign, below it near the top of the screen, and 5
// interface points inside the sides.

#include <gtest/gtest.h>

#include "view/sign_label.h"

namespace {

TEST(SignBubble, PlacementRules) {
  struct Case {
    const char* name;
    engine::Vec2 sign;
    float ui;
    engine::Vec2 target;
  };
  const engine::Size screen(800, 600);
  const Case cases[] = {
      {"room above", {400, 100}, 1, {400, 100 + 42 + 26}},
      {"near the top: below", {400, 560}, 1, {400, 560 - 42 - 26}},
      {"top reached exactly: below", {400, 600 - 5 - 42 - 52}, 1, {400, 600 - 5 - 42 - 52 - 42 - 26}},
      {"just under the reach: above", {400, 600 - 5 - 42 - 52 - 1}, 1, {400, 600 - 5 - 52 - 1 + 26}},
      {"no room either way: above", {400, 300}, 8, {40 + 544, 300 + 42 + 208}},
      {"left side", {10, 100}, 1, {68 + 5, 168}},
      {"right side", {790, 100}, 1, {800 - 5 - 68, 168}},
      {"left side at scale 2", {100, 100}, 2, {136 + 10, 100 + 42 + 52}},
  };
  for (const Case& c : cases) {
    const engine::Vec2 target = signBubbleTarget(c.sign, screen, c.ui);
    EXPECT_FLOAT_EQ(target.x, c.target.x) << c.name;
    EXPECT_FLOAT_EQ(target.y, c.target.y) << c.name;
  }
}

}  // namespace
