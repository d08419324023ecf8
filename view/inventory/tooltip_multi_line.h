#pragma once
// The tooltip of the interface: a nine-piece panel of the interface atlas with a pointer arrow
// and two colour-markup labels in the tooltip font, a title line and a centred body. Each layout
// sizes the panel to its text, keeps it 10 points inside the screen and points the arrow at the
// given screen point: the panel hangs below a point in the upper half of the screen (arrow
// flipped) and stands above one in the lower half. One lives in the HUD for a game's duration.
//
// Main thread only.

#include <array>
#include <string>

#include "engine/base/geometry.h"
#include "engine/scene/inner_node.h"
#include "view/inventory/tooltip_text_layout.h"

namespace engine {
class Sprite;
}
class LabelColored;

class Tooltip : public engine::InnerNode {
 public:
  // text is marked up; pointer the screen point to point at; split puts the text after the
  // first line break in the body; wrapWidth in interface points, 0 for no wrapping.
  virtual void layout(const std::string& text, const engine::Vec2& pointer, bool split,
                      float wrapWidth) = 0;
};

class TooltipMultiLine final : public Tooltip {
 public:
  // The pieces in the order they are kept: row by row, top left first.
  enum Piece { TopLeft, Top, TopRight, Left, Centre, Right, BottomLeft, Bottom, BottomRight };
  static constexpr int kPieceCount = 9;
  static constexpr float kScreenMargin = 10.0f;

  // Autoreleased after init; null when the tooltip font does not load.
  static TooltipMultiLine* create();
  ~TooltipMultiLine() override;
  bool init() override;
  void layout(const std::string& text, const engine::Vec2& pointer, bool split, float wrapWidth) override;

  LabelColored* titleLabel() const { return titleLabel_; }
  LabelColored* bodyLabel() const { return bodyLabel_; }
  engine::Sprite* piece(Piece which) const { return pieces_[which]; }
  engine::Sprite* arrow() const { return arrow_; }
  // The panel's size after the last layout, in points.
  engine::Size panelSize() const { return panel_; }
  const TooltipScales& scales() const { return scales_; }

 private:
  TooltipMultiLine() = default;
  void placePieces();
  void placeOnScreen(const engine::Vec2& pointer);

  TooltipScales scales_;
  LabelColored* titleLabel_ = nullptr;
  LabelColored* bodyLabel_ = nullptr;
  std::array<engine::Sprite*, kPieceCount> pieces_{};
  engine::Sprite* arrow_ = nullptr;
  engine::Size panel_;
};
