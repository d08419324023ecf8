#pragma once
// The sign view: the text of the sign on a cell, typed on one line; Enter writes it onto the sign
// and closes the view, Escape closes it unchanged. The game's ordinary timers are paused while it
// is current.

#include <cstdint>

#include "ui/views/game_view.h"
#include "ui/widgets/text_entry.h"

namespace engine {
class Label;
}

class SignView final : public GameView {
 public:
  static constexpr uint32_t kTextLimit = 127;

  SignView();
  // The sign's cell and the text it holds now.
  void setup(int32_t x, int32_t y, const std::string& text);
  void enter() override;
  void exit() override;
  // The prompt and the entry stay at the middle of the new window.
  void layOut() override;
  // Writes the text onto the sign (when it is still there) and closes the view.
  void submit(const std::string& text);
  TextEntry& entry() { return entry_; }

 private:
  TextEntry entry_;
  engine::Label* prompt_ = nullptr;  // a child of the root
  int32_t x_ = -1;
  int32_t y_ = -1;
  std::string text_;
  bool built_ = false;
};
