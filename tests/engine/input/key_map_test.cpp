// The window system's keys arrive as the engine's codes that every key binding stores.
#include <gtest/gtest.h>

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include "engine/window/key_map.h"

namespace {

int code(int windowKey) { return static_cast<int>(engine::KeyMap().toKeyCode(windowKey)); }

TEST(KeyMap, RunsKeypadAndBothSidesShareTheMainKeysCodesAndOthersArriveAsNone) {
  for (int i = 0; i < 26; ++i) EXPECT_EQ(code(GLFW_KEY_A + i), 121 + i) << i;
  for (int i = 0; i < 10; ++i) EXPECT_EQ(code(GLFW_KEY_0 + i), 73 + i) << i;
  for (int i = 0; i < 10; ++i) EXPECT_EQ(code(GLFW_KEY_KP_0 + i), 73 + i) << i;
  for (int i = 0; i < 12; ++i) EXPECT_EQ(code(GLFW_KEY_F1 + i), 44 + i) << i;
  for (int key = GLFW_KEY_F13; key <= GLFW_KEY_F25; ++key) EXPECT_EQ(code(key), 0) << key;
  const std::pair<int, int> cases[] = {
      {GLFW_KEY_KP_ENTER, 32},   {GLFW_KEY_ENTER, 32},       {GLFW_KEY_KP_DECIMAL, 71},
      {GLFW_KEY_LEFT_SHIFT, 12}, {GLFW_KEY_RIGHT_SHIFT, 12}, {GLFW_KEY_RIGHT_CONTROL, 13},
      {GLFW_KEY_RIGHT_ALT, 14},  {GLFW_KEY_RIGHT_SUPER, 16}, {GLFW_KEY_WORLD_1, 120},
      {GLFW_KEY_MENU, 0},        {GLFW_KEY_WORLD_2, 0},      {GLFW_KEY_UNKNOWN, 0},
      {100000, 0},               {-100000, 0},
  };
  for (const auto& [windowKey, engineCode] : cases) EXPECT_EQ(code(windowKey), engineCode);
}

}  // namespace
