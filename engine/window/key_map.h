#pragma once
// Turns the window system's key numbers into the engine's key codes.

#include <unordered_map>

#include "engine/input/key_code.h"

namespace engine {

class KeyMap {
 public:
  KeyMap();

  // A key the table does not name arrives as KeyCode::NONE.
  KeyCode toKeyCode(int windowKey) const;

 private:
  std::unordered_map<int, KeyCode> codes_;
};

}  // namespace engine
