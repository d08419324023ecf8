#pragma once
// The speech bubble that pops out of a sign and shows its text. There is one, made on first use
// and added to the main layer (z 200, tag 505); it holds a reference to itself so that it lives
// until a view takes it off the main layer and forgets it (`SignLabel::dismiss`). Each show
// places it at the sign's screen point and grows it from nothing towards a spot above the sign,
// or below when there is no room above, 5 interface points inside the screen's sides.
//
// Main thread only.

#include <string>

#include "engine/base/geometry.h"
#include "engine/scene/inner_node.h"

namespace engine {
class Label;
}

class SignLabel final : public engine::InnerNode {
 public:
  static constexpr int kTag = 505, kZ = 200, kLabelTag = 2186;
  // The bubble in interface points, and how far its centre sits from the sign.
  static constexpr float kWidth = 136, kHeight = 52, kLift = 42, kMargin = 5;
  static constexpr float kGrowSeconds = 0.2f;

  // Shows the text at the sign's screen point, making the bubble first when there is none;
  // nothing without a main layer or when the bubble cannot be made.
  static void show(const std::string& text, const engine::Vec2& signPoint);
  // The bubble, null when none was made.
  static SignLabel* instance();
  // Takes the bubble off the main layer and forgets it.
  static void dismiss();

  engine::Label* label() const { return label_; }

 private:
  SignLabel() = default;
  bool init() override;
  void showAt(const std::string& text, const engine::Vec2& signPoint);

  engine::Label* label_ = nullptr;
};

// Where the bubble's centre goes for a sign at point p on a screen of that size: above the sign
// unless it would reach the top margin while there is room below; inside the side margins.
engine::Vec2 signBubbleTarget(const engine::Vec2& p, const engine::Size& screen, float uiScale);
