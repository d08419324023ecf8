#include "engine/window/key_map.h"

#include <utility>

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

namespace engine {

namespace {

struct KeyPair {
  int windowKey;
  KeyCode code;
};

// Keys left out (the second world key, F13 and up, the menu key) have no code of their own and
// arrive as NONE. Left and right modifiers, keypad digits and keypad enter share the codes of
// their main keys, so bindings need not name both.
constexpr KeyPair KEY_TABLE[] = {
    {GLFW_KEY_SPACE, KeyCode::SPACE},
    {GLFW_KEY_APOSTROPHE, KeyCode::APOSTROPHE},
    {GLFW_KEY_COMMA, KeyCode::COMMA},
    {GLFW_KEY_MINUS, KeyCode::MINUS},
    {GLFW_KEY_PERIOD, KeyCode::PERIOD},
    {GLFW_KEY_SLASH, KeyCode::SLASH},
    {GLFW_KEY_SEMICOLON, KeyCode::SEMICOLON},
    {GLFW_KEY_EQUAL, KeyCode::EQUAL},
    {GLFW_KEY_LEFT_BRACKET, KeyCode::LEFT_BRACKET},
    {GLFW_KEY_BACKSLASH, KeyCode::BACK_SLASH},
    {GLFW_KEY_RIGHT_BRACKET, KeyCode::RIGHT_BRACKET},
    {GLFW_KEY_GRAVE_ACCENT, KeyCode::GRAVE},
    {GLFW_KEY_WORLD_1, KeyCode::GRAVE},
    {GLFW_KEY_ESCAPE, KeyCode::ESCAPE},
    {GLFW_KEY_ENTER, KeyCode::ENTER},
    {GLFW_KEY_TAB, KeyCode::TAB},
    {GLFW_KEY_BACKSPACE, KeyCode::BACKSPACE},
    {GLFW_KEY_INSERT, KeyCode::INSERT},
    {GLFW_KEY_DELETE, KeyCode::DELETE},
    {GLFW_KEY_RIGHT, KeyCode::RIGHT_ARROW},
    {GLFW_KEY_LEFT, KeyCode::LEFT_ARROW},
    {GLFW_KEY_DOWN, KeyCode::DOWN_ARROW},
    {GLFW_KEY_UP, KeyCode::UP_ARROW},
    {GLFW_KEY_PAGE_UP, KeyCode::PG_UP},
    {GLFW_KEY_PAGE_DOWN, KeyCode::PG_DOWN},
    {GLFW_KEY_HOME, KeyCode::HOME},
    {GLFW_KEY_END, KeyCode::END},
    {GLFW_KEY_CAPS_LOCK, KeyCode::CAPS_LOCK},
    {GLFW_KEY_SCROLL_LOCK, KeyCode::SCROLL_LOCK},
    {GLFW_KEY_NUM_LOCK, KeyCode::NUM_LOCK},
    {GLFW_KEY_PRINT_SCREEN, KeyCode::PRINT},
    {GLFW_KEY_PAUSE, KeyCode::PAUSE},
    {GLFW_KEY_KP_DECIMAL, KeyCode::PERIOD},
    {GLFW_KEY_KP_DIVIDE, KeyCode::KP_DIVIDE},
    {GLFW_KEY_KP_MULTIPLY, KeyCode::KP_MULTIPLY},
    {GLFW_KEY_KP_SUBTRACT, KeyCode::KP_MINUS},
    {GLFW_KEY_KP_ADD, KeyCode::KP_PLUS},
    {GLFW_KEY_KP_ENTER, KeyCode::ENTER},
    {GLFW_KEY_KP_EQUAL, KeyCode::EQUAL},
    {GLFW_KEY_LEFT_SHIFT, KeyCode::SHIFT},
    {GLFW_KEY_LEFT_CONTROL, KeyCode::CTRL},
    {GLFW_KEY_LEFT_ALT, KeyCode::ALT},
    {GLFW_KEY_LEFT_SUPER, KeyCode::SUPER},
    {GLFW_KEY_RIGHT_SHIFT, KeyCode::SHIFT},
    {GLFW_KEY_RIGHT_CONTROL, KeyCode::CTRL},
    {GLFW_KEY_RIGHT_ALT, KeyCode::ALT},
    {GLFW_KEY_RIGHT_SUPER, KeyCode::SUPER},
};

// Runs of consecutive window keys that map to consecutive codes.
struct KeyRun {
  int firstWindowKey;
  int count;
  KeyCode firstCode;
};

constexpr KeyRun KEY_RUNS[] = {
    {GLFW_KEY_0, 10, KeyCode::DIGIT_0},
    {GLFW_KEY_KP_0, 10, KeyCode::DIGIT_0},
    {GLFW_KEY_A, 26, KeyCode::A},
    {GLFW_KEY_F1, 12, KeyCode::F1},
};

}  // namespace

KeyMap::KeyMap() {
  for (const KeyRun& run : KEY_RUNS) {
    for (int i = 0; i < run.count; ++i) {
      codes_[run.firstWindowKey + i] = static_cast<KeyCode>(static_cast<int>(run.firstCode) + i);
    }
  }
  for (const KeyPair& pair : KEY_TABLE) codes_[pair.windowKey] = pair.code;
}

KeyCode KeyMap::toKeyCode(int windowKey) const {
  auto found = codes_.find(windowKey);
  return found != codes_.end() ? found->second : KeyCode::NONE;
}

}  // namespace engine
