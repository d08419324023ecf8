#include "ui/widgets/menu_list.h"

#include <algorithm>

#include "content/art/interface_layout.h"
#include "content/art/item_atlas_layout.h"
#include "content/items/item.h"
#include "engine/scene/inner_node.h"
#include "engine/sprite/sprite.h"
#include "engine/text/label.h"
#include "ui/widgets/framed_panel.h"
#include "ui/widgets/ui_draw.h"
#include "view/inventory/overlay_art.h"

namespace {
// The rows are the interface's framed panels: the chosen one in the frame's full gold with a
// light wash over its fill, the others dimmed.
constexpr engine::Color3B kRowTint{150, 150, 160};
constexpr engine::Color3B kSelectedTint{255, 255, 255};
constexpr engine::Color4B kSelectedWash{90, 110, 160, 110};
constexpr engine::Color3B kTextColour{240, 240, 240};
constexpr engine::Color3B kPlainTextColour{170, 170, 170};
constexpr engine::Color3B kHeadingColour{235, 200, 110};
constexpr float kTextInset = 10.0f;
constexpr float kRowGap = 2.0f;
constexpr float kIconMargin = 3.0f;  // between an icon and the row band's edges
}  // namespace

MenuList::MenuList() : node_(engine::InnerNode::create()) {}

MenuList::~MenuList() {
  node_->removeFromParentAndCleanup();
}

void MenuList::setRows(std::vector<Row> rows) {
  rows_ = std::move(rows);
  const int count = static_cast<int>(rows_.size());
  selected_ = count == 0 ? -1 : std::clamp(selected_, 0, count - 1);
  scrollToSelection();
  redraw();
}

void MenuList::select(int index) {
  if (rows_.empty()) return;
  selected_ = passHeadings(std::clamp(index, 0, static_cast<int>(rows_.size()) - 1), 1);
  scrollToSelection();
  redraw();
}

MenuList::Row MenuList::withItemIcon(std::string text, uint16_t itemId, std::function<void()> onChoose) {
  Row row(std::move(text), std::move(onChoose));
  if (itemId != ITEM_NONE) row.icon = {Row::Icon::Item, itemId, 0};
  return row;
}

MenuList::Row MenuList::cycling(std::string text, std::function<void(int)> step) {
  std::function<void()> forward = [step] { step(1); };
  return Row(std::move(text), std::move(forward), std::move(step));
}

size_t MenuList::stepped(size_t index, int steps, size_t count) {
  if (count == 0) return 0;
  const long long n = static_cast<long long>(count);
  return static_cast<size_t>(((static_cast<long long>(index % count) + steps) % n + n) % n);
}

void MenuList::move(int steps) {
  if (rows_.empty()) return;
  const int index = static_cast<int>(stepped(static_cast<size_t>(std::max(selected_, 0)), steps, rows_.size()));
  select(passHeadings(index, steps < 0 ? -1 : 1));
}

int MenuList::passHeadings(int index, int direction) const {
  for (size_t tried = 0; tried < rows_.size() && rows_[static_cast<size_t>(index)].heading; ++tried) {
    index = static_cast<int>(stepped(static_cast<size_t>(index), direction, rows_.size()));
  }
  return index;
}

MenuList::Row MenuList::heading(std::string text) {
  Row row(std::move(text));
  row.heading = true;
  return row;
}

void MenuList::activate() {
  if (selected_ < 0 || selected_ >= static_cast<int>(rows_.size())) return;
  const std::function<void()> action = rows_[static_cast<size_t>(selected_)].action;
  if (action) action();
}

bool MenuList::keyEvent(engine::KeyCode key, bool released) {
  switch (key) {
    case engine::KeyCode::UP_ARROW:
      if (!released) move(-1);
      return true;
    case engine::KeyCode::DOWN_ARROW:
      if (!released) move(1);
      return true;
    case engine::KeyCode::LEFT_ARROW:
    case engine::KeyCode::RIGHT_ARROW: {
      if (selected_ < 0 || selected_ >= static_cast<int>(rows_.size())) return false;
      // A copy: the step may replace the rows.
      const std::function<void(int)> step = rows_[static_cast<size_t>(selected_)].step;
      if (!step) return false;
      if (!released) step(key == engine::KeyCode::LEFT_ARROW ? -1 : 1);
      return true;
    }
    case engine::KeyCode::ENTER:
    case engine::KeyCode::SPACE:
      if (!released) {
        armed_ = true;
      } else if (armed_) {
        armed_ = false;
        activate();
      }
      return true;
    default: return false;
  }
}

int MenuList::rowAt(const engine::Vec2& point) const {
  if (point.x < topLeft_.x || point.x > topLeft_.x + width_ || point.y > topLeft_.y) return -1;
  const int shown = static_cast<int>((topLeft_.y - point.y) / rowHeight_);
  const int index = first_ + shown;
  if (shown >= visibleRows_ || index >= static_cast<int>(rows_.size())) return -1;
  return index;
}

engine::Rect MenuList::rowRect(int index) const {
  if (index < first_ || index >= first_ + visibleRows_ || index >= static_cast<int>(rows_.size())) return {};
  const float bottom = topLeft_.y - static_cast<float>(index - first_ + 1) * rowHeight_;
  return engine::Rect(topLeft_.x, bottom, width_, rowHeight_ - kRowGap);
}

bool MenuList::click(const engine::Vec2& point) {
  const int index = rowAt(point);
  if (index < 0 || rows_[static_cast<size_t>(index)].heading) return false;
  select(index);
  activate();
  return true;
}

void MenuList::hover(const engine::Vec2& point) {
  const int index = rowAt(point);
  if (index >= 0 && index != selected_ && !rows_[static_cast<size_t>(index)].heading) select(index);
}

void MenuList::setFrame(engine::Vec2 topLeft, float width, float rowHeight, int visibleRows, float textScale) {
  topLeft_ = topLeft;
  textScale_ = textScale > 0.0f ? textScale : 1.0f;
  width_ = width;
  rowHeight_ = std::max(rowHeight, 1.0f);
  visibleRows_ = std::max(visibleRows, 1);
  scrollToSelection();
  redraw();
}

void MenuList::scrollToSelection() {
  if (selected_ < first_) first_ = std::max(selected_, 0);
  if (selected_ >= first_ + visibleRows_) first_ = selected_ - visibleRows_ + 1;
  const int lastFirst = std::max(static_cast<int>(rows_.size()) - visibleRows_, 0);
  first_ = std::clamp(first_, 0, lastFirst);
}

void MenuList::redraw() {
  node_->removeAllChildrenWithCleanup();
  const int end = std::min(first_ + visibleRows_, static_cast<int>(rows_.size()));
  for (int i = first_; i < end; ++i) {
    const Row& row = rows_[static_cast<size_t>(i)];
    const float bottom = topLeft_.y - static_cast<float>(i - first_ + 1) * rowHeight_;
    const engine::Rect area(topLeft_.x, bottom, width_, rowHeight_ - kRowGap);
    if (row.heading) {
      drawHeading(row, bottom);
      continue;
    }
    addFramedPanel(node_, area, i == selected_ ? kSelectedTint : kRowTint, 0);
    if (i == selected_) {
      const float inset = framePixelScale() * 2.0f;
      addColorLayer(node_, kSelectedWash, engine::Size(area.size.width - 2 * inset, area.size.height - 2 * inset),
                    engine::Vec2(area.getMinX() + inset, area.getMinY() + inset), 0);
    }
    const float iconWidth = drawIcon(row, bottom);
    engine::Label* label = addTextLabel(
        node_, row.text, engine::Vec2(topLeft_.x + iconWidth + kTextInset * textScale_, bottom + rowHeight_ / 2.0f),
        kFontSmall, row.action ? kTextColour : kPlainTextColour);
    if (label != nullptr) fitInRow(*label, width_ - iconWidth - 2 * kTextInset * textScale_);
  }
}

// A text longer than its row (a recipe with its ingredients and station) is drawn narrower rather
// than past the row's edge.
void MenuList::fitInRow(engine::Label& label, float room) const {
  label.setScale(textScale_);
  const float drawn = label.getContentSize().width * textScale_;
  if (drawn > room && room > 0) label.setScaleX(textScale_ * room / drawn);
}

void MenuList::drawHeading(const Row& row, float bottom) {
  engine::Label* label = addTextLabel(node_, row.text, engine::Vec2(topLeft_.x, bottom + rowHeight_ / 2.0f), kFontSmall,
                                      kHeadingColour);
  if (label != nullptr) label->setScale(textScale_);
}

float MenuList::drawIcon(const Row& row, float bottom) {
  if (row.icon.atlas == Row::Icon::None) return 0.0f;
  const bool item = row.icon.atlas == Row::Icon::Item;
  engine::Texture2D* texture = item ? overlay_art::iconTexture() : overlay_art::interfaceTexture();
  if (texture == nullptr) return 0.0f;
  const engine::Rect rect = item ? art::itemIconRect(row.icon.id, static_cast<uint8_t>(row.icon.variant))
                                 : art::uiSpriteRect(row.icon.id, row.icon.variant);
  engine::Sprite* sprite = engine::Sprite::createWithTextureRect(texture, rect);
  if (sprite == nullptr || rect.size.height <= 0) return 0.0f;
  // The icon fills the band's height, so it reads at every interface scale.
  const float side = rowHeight_ - kRowGap - 2 * kIconMargin;
  sprite->setScale(side / std::max(rect.size.width, rect.size.height));
  sprite->setPosition(engine::Vec2(topLeft_.x + kIconMargin + side / 2.0f, bottom + (rowHeight_ - kRowGap) / 2.0f));
  node_->addChild(sprite, 1);
  return side + kIconMargin;
}
