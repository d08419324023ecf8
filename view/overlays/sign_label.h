#pragma once
// The speech bubble that pops out of a sign and shows its text: one process-wide node, made on
// first use, kept (it holds a reference to itself) and added to the main layer at z 200 with tag
// 505. The world view's teardown forgets it (`forget`), so a later world makes a fresh one instead
// of showing the last world's text. Main thread only.

#include <string>

#include "engine/base/geometry.h"
#include "engine/scene/inner_node.h"

namespace engine {
class Label;
}

class SignLabel final : public engine::InnerNode {
 public:
  static constexpr int kTag = 505;
  static constexpr int kZOrder = 200;

  // The node shown now, or null.
  static SignLabel* instance();
  // Shows the text over the sign's screen point on the parent (the main layer), making the node
  // on first use (with no text when the font does not load).
  static SignLabel* show(engine::InnerNode& parent, const std::string& text, engine::Vec2 point);
  // Takes the node off its parent and drops it.
  static void forget();

  // Where the bubble settles for a sign at p on a screen of the size (5 UI-scale points inside the
  // edges, above the sign unless that leaves the screen).
  static engine::Vec2 bubblePlace(engine::Vec2 p, engine::Size screen, float uiScale);

  const engine::Label* label() const { return label_; }  // null without the font

 private:
  SignLabel() = default;
  bool build(engine::InnerNode& parent);

  engine::Label* label_ = nullptr;  // a child
};
