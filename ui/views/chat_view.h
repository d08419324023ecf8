#pragma once
// The chat view: a line to type over the main view. Enter runs it through the chat command
// interpreter (a chat line, or a command after '/') and closes the view; Escape closes it.

#include "ui/views/game_view.h"
#include "ui/widgets/text_entry.h"

class ChatView final : public GameView {
 public:
  static constexpr uint32_t kLineLimit = 100;

  ChatView();
  void enter() override;
  void exit() override;
  // Runs the line for the local player and closes the view.
  void submit(const std::string& line);
  TextEntry& entry() { return entry_; }

 private:
  TextEntry entry_;
  bool built_ = false;
};
