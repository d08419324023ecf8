#include "view/inventory/tooltip_multi_line.h"

#include <algorithm>
#include <cmath>

#include "content/art/interface_layout.h"
#include "engine/sprite/sprite.h"
#include "engine/text/label_colored.h"
#include "view/inventory/overlay_art.h"
#include "view/labels/label_makers.h"

namespace {

using engine::Rect;
using engine::Vec2;

constexpr const std::array<Rect, TooltipMultiLine::kPieceCount>& kPieceRects = art::kTooltipPieces;
constexpr std::array<int, TooltipMultiLine::kPieceCount> kPieceZ = {3, 2, 3, 2, 1, 2, 3, 2, 3};
constexpr const Rect& kArrowRect = art::kTooltipArrow;
constexpr int kArrowZ = 5, kLabelZ = 10;

int evenUp(int value) { return value % 2 != 0 ? value + 1 : value; }

}  // namespace

TooltipMultiLine* TooltipMultiLine::create() {
  auto* tooltip = new TooltipMultiLine();
  if (!tooltip->init()) {
    delete tooltip;
    return nullptr;
  }
  tooltip->autorelease();
  return tooltip;
}

TooltipMultiLine::~TooltipMultiLine() = default;

bool TooltipMultiLine::init() {
  if (!Tooltip::init()) return false;
  scales_ = tooltipScales(overlay_art::uiScale());
  // Without the interface atlas the panel draws nothing, but the text still shows.
  engine::Texture2D* atlas = overlay_art::interfaceTexture();
  for (int i = 0; i < kPieceCount; ++i) {
    pieces_[i] = engine::Sprite::createWithTextureRect(atlas, kPieceRects[i]);
    if (pieces_[i] == nullptr) return false;
    pieces_[i]->setScale(scales_.ui);
    addChild(pieces_[i], kPieceZ[i], 0);
  }
  arrow_ = engine::Sprite::createWithTextureRect(atlas, kArrowRect);
  if (arrow_ == nullptr) return false;
  arrow_->setScale(scales_.ui);
  addChild(arrow_, kArrowZ, 0);
  titleLabel_ = makeLabelColored(3, "", Vec2(0, 0));
  bodyLabel_ = makeLabelColored(3, "", Vec2(0, 0));
  if (titleLabel_ == nullptr || bodyLabel_ == nullptr) return false;
  for (LabelColored* label : {titleLabel_, bodyLabel_}) {
    label->setColor(engine::Color3B{0, 0, 0});
    label->setAnchorPoint(Vec2(0.5f, 0.5f));
    addChild(label, kLabelZ);
  }
  titleLabel_->setScale(scales_.title);
  bodyLabel_->setScale(scales_.body);
  bodyLabel_->setHorizontalAlignment(engine::TextHAlignment::CENTER);
  return true;
}

void TooltipMultiLine::layout(const std::string& text, const Vec2& pointer, bool split, float wrapWidth) {
  const engine::FontAtlas& font = *titleLabel_->getFontAtlas();
  if (wrapWidth != 0) {
    // Lines are measured at the scale they are drawn at: everything at the title's unless the
    // text is split into a body.
    TooltipScales measured = scales_;
    if (!split) measured.body = measured.title;
    layout(wrapTooltipText(text, wrapWidth, measured, font), pointer, split, 0);
    return;
  }
  std::string title = text;
  std::string body;
  if (split) {
    const size_t lineBreak = text.find('\n');
    if (lineBreak != std::string::npos) {
      title = text.substr(0, lineBreak);
      body = text.substr(lineBreak + 1);
    }
  }
  titleLabel_->setString(title);
  bodyLabel_->setString(body);
  const TooltipTextSize size = measureTooltipText(title, body, scales_, font);
  int width = static_cast<int>(scales_.ui * 10 + size.width);
  int height = static_cast<int>(size.titleHeight + size.bodyHeight + scales_.ui * 4);
  const float titleY = scales_.title * 3 + static_cast<float>(height / 2) - size.titleHeight / 2;
  titleLabel_->setPosition(Vec2(0, titleY));
  bodyLabel_->setPosition(Vec2(0, (titleY - size.titleHeight / 2 - static_cast<float>(height / 2)) / 2 +
                                      scales_.body * 3));
  panel_ = engine::Size(static_cast<float>(evenUp(width)), static_cast<float>(evenUp(height)));
  placePieces();
  placeOnScreen(pointer);
}

// The centre row and column stretch to the panel; the corners and edges close the box around it.
void TooltipMultiLine::placePieces() {
  const float stretchX = (panel_.width - kPieceRects[Right].size.width - kPieceRects[Left].size.width) /
                         kPieceRects[Centre].size.width;
  const float stretchY = (panel_.height - kPieceRects[Bottom].size.height - kPieceRects[Top].size.height) /
                         kPieceRects[Centre].size.height;
  for (Piece p : {Top, Centre, Bottom}) pieces_[p]->setScaleX(stretchX);
  for (Piece p : {Left, Centre, Right}) pieces_[p]->setScaleY(stretchY);
  const float halfX = stretchX * kPieceRects[Centre].size.width / 2 + kPieceRects[Left].size.width * scales_.ui / 2;
  const float halfY = stretchY * kPieceRects[Centre].size.height / 2 + kPieceRects[Top].size.height * scales_.ui / 2;
  const std::array<Vec2, kPieceCount> places = {Vec2(-halfX, halfY), Vec2(0, halfY),  Vec2(halfX, halfY),
                                                Vec2(-halfX, 0),     Vec2(0, 0),      Vec2(halfX, 0),
                                                Vec2(-halfX, -halfY), Vec2(0, -halfY), Vec2(halfX, -halfY)};
  for (int i = 0; i < kPieceCount; ++i) pieces_[i]->setPosition(places[i]);
}

void TooltipMultiLine::placeOnScreen(const Vec2& pointer) {
  const engine::Size screen = overlay_art::screenSize();
  const float ui = scales_.ui;
  const float half = static_cast<float>(static_cast<int>(panel_.width) / 2);
  float x = pointer.x;
  float offset = 0;
  if (pointer.x - half < kScreenMargin) {
    x = half + kScreenMargin;
    offset = pointer.x - x;
  } else if (pointer.x + half > screen.width - kScreenMargin) {
    x = screen.width - (half + kScreenMargin);
    offset = pointer.x - x;
  }
  const float leftmost = pieces_[TopLeft]->getPositionX() + 4 * ui;
  const float rightmost = pieces_[TopRight]->getPositionX() - 4 * ui;
  offset = std::max(leftmost, std::min(offset, rightmost));
  const float arrowRise = panel_.height / 2 / ui + kArrowRect.size.height / 2;
  float y = 0;
  if (pointer.y > screen.height / 2) {
    arrow_->setPosition(Vec2(offset, arrowRise * ui));
    arrow_->setScaleY(-ui);
    y = pointer.y - panel_.height / 2 - ui * kScreenMargin;
  } else {
    arrow_->setPosition(Vec2(offset, -arrowRise * ui));
    arrow_->setScaleY(ui);
    y = std::trunc(pointer.y + panel_.height / 2 + ui * kScreenMargin);
  }
  // A panel taller than the room beside the pointer stays inside the screen, over the pointer if
  // it must.
  const float lowest = panel_.height / 2 + kScreenMargin;
  const float highest = screen.height - panel_.height / 2 - kScreenMargin;
  if (highest >= lowest) y = std::clamp(y, lowest, highest);
  setPosition(Vec2(x, y));
}
