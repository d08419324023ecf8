#include "ui/widgets/menu_list.h"

#include <algorithm>
#include <cmath>

#include "content/art/interface_layout.h"
#include "content/art/item_atlas_layout.h"
#include "content/items/item.h"
#include "engine/scene/inner_node.h"
#include "engine/sprite/sprite.h"
#include "engine/text/label.h"
#include "ui/widgets/framed_panel.h"
#include "ui/widgets/text_wrap.h"
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
// A choice that cannot be taken now: its frame, pictures and text sink towards the shade.
constexpr engine::Color3B kDimmedRowTint{95, 95, 105};
constexpr engine::Color3B kDimmedTextColour{125, 125, 125};
constexpr engine::Color3B kDimmedPicture{110, 110, 110};
constexpr uint8_t kDimmedOpacity = 150;
constexpr float kTextInset = 10.0f;
constexpr float kRowGap = 2.0f;
constexpr float kPicturePixels = 16.0f;  // the atlases' icons are 16 pixels square
constexpr float kPictureGap = 2.0f;      // atlas pixels between two ingredients
constexpr const char* kMadeOf = "=";     // between a recipe's result and its ingredients
constexpr const char* kCut = "...";
constexpr int kScrollMarkSteps = 4;  // pixel rows of a scroll mark

// The text, cut short with dots where it would run past the width (in the font's own points).
std::string fitted(const std::string& text, float width) {
  if (textWidth(text, kFontSmall) <= width) return text;
  std::string cut = text;
  while (!cut.empty() && textWidth(cut + kCut, kFontSmall) > width) cut.pop_back();
  return cut.empty() ? std::string() : cut + kCut;
}

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

MenuList::Row::Icon MenuList::itemPicture(uint16_t itemId, uint32_t count) {
  Row::Icon icon;
  if (itemId == ITEM_NONE) return icon;
  icon.atlas = Row::Icon::Item;
  icon.id = itemId;
  icon.count = count;
  return icon;
}

MenuList::Row MenuList::recipe(std::string resultName, Row::Icon result, std::vector<Row::Icon> ingredients,
                               bool makeable, std::function<void()> onChoose) {
  Row row(std::move(resultName), std::move(onChoose));
  row.icon = result;
  row.ingredients = std::move(ingredients);
  row.dimmed = !makeable;
  return row;
}

bool MenuList::anyPictured(const std::vector<Row>& rows) {
  return std::any_of(rows.begin(), rows.end(), [](const Row& row) { return row.icon.atlas != Row::Icon::None; });
}

float MenuList::pictureSide() { return kPicturePixels * framePixelScale(); }

float MenuList::pictureRowHeight() {
  return pictureSide() + 2.0f * static_cast<float>(art::kMenuFrameCorner) * framePixelScale() + kRowGap;
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

engine::Rect MenuList::pictureRect(int index, size_t picture) const {
  const engine::Rect band = rowRect(index);
  if (band.size.width <= 0) return {};
  const Row& row = rows_[static_cast<size_t>(index)];
  if (picture == 0 ? row.icon.atlas == Row::Icon::None : picture > row.ingredients.size()) return {};
  const float pixels = picturePixels();
  const float side = kPicturePixels * pixels;
  // The frame's corner holds its gold edge and a pixel of its fill: a picture starts inside it.
  const float edge = static_cast<float>(art::kMenuFrameCorner) * framePixelScale();
  const float y = std::round(band.getMinY() + (band.size.height - side) / 2.0f);
  if (picture == 0) return engine::Rect(std::round(band.getMinX() + edge), y, side, side);
  // The ingredients stand at the row's right end, the last against the frame or, in a list longer
  // than its frame, against the scroll marks' column.
  const float after = static_cast<float>(row.ingredients.size() - picture);
  const float end = std::min(band.getMaxX() - edge, scrollMarkLeft() - kPictureGap * pixels);
  const float x = std::round(end - side - after * (side + kPictureGap * pixels));
  return engine::Rect(x, y, side, side);
}

float MenuList::picturePixels() const {
  const float frame = framePixelScale();
  const float room = rowHeight_ - kRowGap - 2.0f * static_cast<float>(art::kMenuFrameCorner) * frame;
  return std::clamp(std::floor(room / kPicturePixels), 1.0f, frame);
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
    addFramedPanel(node_, area, i == selected_ ? kSelectedTint : row.dimmed ? kDimmedRowTint : kRowTint, 0);
    if (i == selected_) {
      const float inset = framePixelScale() * 2.0f;
      addColorLayer(node_, kSelectedWash, engine::Size(area.size.width - 2 * inset, area.size.height - 2 * inset),
                    engine::Vec2(area.getMinX() + inset, area.getMinY() + inset), 0);
    }
    float textLeft = 0.0f, textRoom = 0.0f;
    drawPictures(i, textLeft, textRoom);
    // A text longer than its room (a recipe's name beside its ingredients, a found recipe with its
    // station) is cut short rather than run under the pictures or past the row's edge.
    const std::string text = fitted(row.text, textRoom / textScale_);
    const engine::Color3B colour = row.dimmed ? kDimmedTextColour : row.action ? kTextColour : kPlainTextColour;
    engine::Label* label = addTextLabel(node_, text, engine::Vec2(textLeft, bottom + rowHeight_ / 2.0f), kFontSmall, colour);
    if (label != nullptr) label->setScale(textScale_);
  }
  // Rows beyond the frame are marked at its edge, so a list longer than the window does not look
  // complete.
  if (first_ > 0) drawScrollMark(true);
  if (end < static_cast<int>(rows_.size())) drawScrollMark(false);
}

float MenuList::scrollMarkPixel() const { return framePixelScale() * 2.0f; }

float MenuList::scrollMarkCentre() const {
  return topLeft_.x + width_ - kTextInset * textScale_ - static_cast<float>(kScrollMarkSteps) * scrollMarkPixel();
}

float MenuList::scrollMarkLeft() const {
  if (static_cast<int>(rows_.size()) <= visibleRows_) return topLeft_.x + width_;
  // The triangle's base, its widest band, is (2 x steps - 1) pixels wide about its centre.
  return scrollMarkCentre() - (static_cast<float>(kScrollMarkSteps) - 0.5f) * scrollMarkPixel();
}

// A small gold triangle at the right of the first shown row (pointing up) or the last one
// (pointing down), stepped in pixel rows as the frames are. Every row of a list that scrolls keeps
// its column free (`scrollMarkLeft`), so a mark never covers a picture, its count or a text.
void MenuList::drawScrollMark(bool up) {
  const float pixel = scrollMarkPixel();
  const int shown = std::min(visibleRows_, static_cast<int>(rows_.size()) - first_);
  const float rowBottom = topLeft_.y - static_cast<float>(up ? 1 : shown) * rowHeight_;
  const float centreX = scrollMarkCentre();
  const float lowest = rowBottom + (rowHeight_ - kRowGap - static_cast<float>(kScrollMarkSteps) * pixel) / 2.0f;
  const engine::Color4B colour{kHeadingColour.r, kHeadingColour.g, kHeadingColour.b, 255};
  for (int step = 0; step < kScrollMarkSteps; ++step) {
    // The widest band is the triangle's base, away from where it points.
    const float width = static_cast<float>(2 * (kScrollMarkSteps - step) - 1) * pixel;
    const int fromBottom = up ? step : kScrollMarkSteps - 1 - step;
    addColorLayer(node_, colour, engine::Size(width, pixel),
                  engine::Vec2(centreX - width / 2.0f, lowest + static_cast<float>(fromBottom) * pixel), 1);
  }
}

void MenuList::drawHeading(const Row& row, float bottom) {
  engine::Label* label = addTextLabel(node_, row.text, engine::Vec2(topLeft_.x, bottom + rowHeight_ / 2.0f), kFontSmall,
                                      kHeadingColour);
  if (label != nullptr) label->setScale(textScale_);
}

void MenuList::drawPictures(int index, float& textLeft, float& textRoom) {
  const Row& row = rows_[static_cast<size_t>(index)];
  const engine::Rect band = rowRect(index);
  const float inset = kTextInset * textScale_;
  textLeft = band.getMinX() + inset;
  float right = std::min(band.getMaxX(), scrollMarkLeft()) - inset;
  if (row.icon.atlas != Row::Icon::None) {
    const engine::Rect at = pictureRect(index, 0);
    drawPicture(row.icon, at, row.dimmed);
    textLeft = at.getMaxX() + inset;
  }
  if (!row.ingredients.empty()) {
    for (size_t k = 0; k < row.ingredients.size(); ++k) drawPicture(row.ingredients[k], pictureRect(index, k + 1), row.dimmed);
    const float first = pictureRect(index, 1).getMinX() - inset;
    const engine::Color3B colour = row.dimmed ? kDimmedTextColour : kTextColour;
    engine::Label* madeOf = addTextLabel(node_, kMadeOf, engine::Vec2(first, band.getMinY() + band.size.height / 2.0f), kFontSmall, colour,
                                         engine::Vec2(1.0f, 0.5f));
    if (madeOf != nullptr) madeOf->setScale(textScale_);
    right = first - textWidth(kMadeOf, kFontSmall) * textScale_ - inset;
  }
  textRoom = std::max(0.0f, right - textLeft);
}

void MenuList::drawPicture(const Row::Icon& icon, const engine::Rect& where, bool dimmed) {
  if (where.size.width <= 0) return;
  const bool item = icon.atlas == Row::Icon::Item;
  engine::Texture2D* texture = item ? overlay_art::iconTexture() : overlay_art::interfaceTexture();
  if (texture == nullptr) return;
  const engine::Rect rect = item ? art::itemIconRect(icon.id, static_cast<uint8_t>(icon.variant))
                                 : art::uiSpriteRect(icon.id, icon.variant);
  if (rect.size.height <= 0) return;
  engine::Sprite* sprite = engine::Sprite::createWithTextureRect(texture, rect);
  if (sprite == nullptr) return;
  // Whole atlas pixels, as the world draws its own, so no pixel of the picture is smeared.
  const float pixels = std::max(1.0f, std::floor(where.size.width / std::max(rect.size.width, rect.size.height)));
  sprite->setScale(pixels);
  sprite->setPosition(engine::Vec2(where.getMinX() + where.size.width / 2.0f, where.getMinY() + where.size.height / 2.0f));
  if (dimmed) {
    sprite->setColor(kDimmedPicture);
    sprite->setOpacity(kDimmedOpacity);
  }
  node_->addChild(sprite, 1);
  if (icon.count <= 1) return;
  engine::Label* count = addTextLabel(node_, std::to_string(icon.count), engine::Vec2(where.getMaxX(), where.getMinY()),
                                      kFontTiny, dimmed ? kDimmedTextColour : kTextColour, engine::Vec2(1.0f, 0.0f), 2);
  if (count != nullptr) count->setScale(pixels);
}
