#pragma once
// The wait view: two lines of status while a world is generated or read ("Generating world...",
// then what the generator is doing) or while a host is reached. It takes no input.

#include <string>

#include "ui/views/game_view.h"

namespace engine {
class Label;
class LayerColor;
}

class WaitView final : public GameView {
 public:
  static constexpr ViewId kId = ViewId::Wait;
  static constexpr int kFirstLineTag = 600;
  static constexpr int kSecondLineTag = 601;

  WaitView() : GameView(ViewId::Wait) {}

  void enter() override;
  // The backdrop covers the new window and the lines stay at its centre.
  void layOut() override;
  // `WaitView::setStatus`: the two lines.
  void setStatus(const std::string& first, const std::string& second);
  const std::string& firstLine() const { return first_; }
  const std::string& secondLine() const { return second_; }

 private:
  std::string first_;
  std::string second_;
  engine::LayerColor* backdrop_ = nullptr;  // children of the root
  engine::Label* firstLabel_ = nullptr;
  engine::Label* secondLabel_ = nullptr;
  bool built_ = false;
};

// Makes the wait view current with the two lines; nothing without views.
void showWaitView(const std::string& first, const std::string& second);
