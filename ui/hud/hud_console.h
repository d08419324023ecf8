#pragma once
// The HUD's console slot: the last few messages the player was shown (chat lines, notices,
// refusals), newest at the bottom, each kind in its colour.
//
// Main thread only.

#include <cstdint>
#include <deque>
#include <string>

namespace engine {
class InnerNode;
}

class HudConsole {
 public:
  static constexpr size_t kLines = 6;

  explicit HudConsole(engine::InnerNode* parent);
  ~HudConsole();
  HudConsole(const HudConsole&) = delete;
  HudConsole& operator=(const HudConsole&) = delete;

  // `addMessage`: kind 0 chat, 2 information, 3 refusal; others plain.
  void addMessage(const std::string& text, uint8_t kind);
  void clear();
  const std::deque<std::pair<std::string, uint8_t>>& messages() const { return messages_; }

 private:
  void redraw();

  engine::InnerNode* node_ = nullptr;  // a child of the parent
  std::deque<std::pair<std::string, uint8_t>> messages_;
};
