#include "ui/views/list_view.h"

#include <algorithm>

#include "engine/layer/layer_color.h"
#include "engine/scene/inner_node.h"
#include "engine/text/label.h"
#include "platform/controls/hold_timer.h"
#include "platform/controls/real_controls.h"
#include "ui/hud/quick_slots.h"
#include "ui/views/game_views.h"
#include "ui/widgets/framed_panel.h"
#include "ui/widgets/text_wrap.h"
#include "ui/widgets/ui_draw.h"
#include "view/overlays/achievement_dialog.h"

namespace {

constexpr float kPanelPad = 14.0f;  // between the panel's frame and what it holds
constexpr float kMargin = 40.0f;
constexpr float kTitleHeight = 50.0f;
constexpr float kLineHeight = 24.0f;
constexpr float kRowHeight = 32.0f;
constexpr float kListWidth = 520.0f;
constexpr float kBarGap = 8.0f;       // between the quick bar and the list
constexpr float kListGap = 10.0f;     // between the lines and the list
constexpr float kBannerGap = 2.0f;    // between an achievement's banner and the title band
constexpr size_t kRowsKept = 3;       // rows that long lines leave room for
constexpr const char* kMoreLines = "...";

// A held arrow key keeps stepping through the list after a short wait, as long as it stays down.
constexpr float kRepeatDelay = 0.35f;
constexpr float kRepeatInterval = 0.08f;

class ListViewControls final : public kel::RealControls<ListView> {
 public:
  explicit ListViewControls(ListView* view) : RealControls(view) {}
  void keyEvent(engine::KeyCode key, bool released) override {
    view_->keyEvent(key, released);
    const int32_t input = static_cast<int32_t>(key);
    if (released) {
      held_.release(input);
    } else if (key == engine::KeyCode::UP_ARROW || key == engine::KeyCode::DOWN_ARROW) {
      const int steps = key == engine::KeyCode::UP_ARROW ? -1 : 1;
      ListView* view = view_;
      held_.hold(input, [view, steps] { view->list().move(steps); }, kRepeatInterval, kRepeatDelay);
    }
  }
  // The release of a key held now would never arrive.
  void deactivate() override {
    held_.stop();
    RealControls::deactivate();
  }
  void mouseMoved(const engine::Vec2& point) override { view_->hover(point); }
  void mouseWheel(const engine::Vec2& point, float amount) override { view_->wheelAt(point, amount); }
  void mouseButton(const engine::Vec2& point, int button, bool released) override {
    view_->mouseButton(point, button, released);
  }
  void mouseDrag(const engine::Vec2& point, int button, kel::DragPhase phase) override {
    view_->drag(point, button, phase);
  }

 private:
  kel::HoldTimer held_;
};

}  // namespace

ListView::ListView(ViewId id, bool listControls) : GameView(id, false) {
  if (listControls) setControls(std::make_unique<ListViewControls>(this));
}

ListView::~ListView() = default;

void ListView::enter() {
  if (!built_) {
    built_ = true;
    const engine::Size window = uiWindowSize();
    shade_ = addColorLayer(root(), shadeColour_, window, engine::Vec2(0, 0), -1);
    texts_ = engine::InnerNode::create();
    root()->addChild(texts_, 1);
    root()->addChild(list_.node(), 2);
  }
  escapeArmed_ = false;
  list_.disarm();
  refresh();
  GameView::enter();
}

void ListView::layOut() {
  if (!built_) return;  // the first entry lays it out
  if (shade_ != nullptr) shade_->setContentSize(uiWindowSize());
  // A view off the layer places its texts and list when it is next entered, which refreshes it.
  if (root()->getParent() != nullptr) refresh();
}

float ListView::scale() const { return id() == ViewId::Inventory ? 1.0f : menuScale(); }

float ListView::topMargin() const {
  // An achievement's banner slides into the top of the screen over the views: every title, the
  // inventory's too, stays below it.
  return std::max(kMargin, AchievementDialog::shownHeight() + kBannerGap);
}

float ListView::bannerRoom() const { return topMargin() - kMargin; }

float ListView::titleFoot() const { return uiWindowSize().height - topMargin() - kTitleHeight * scale(); }

void ListView::refresh() {
  // A fill may refresh what it reads (the inventory's cells), and that may ask for a refresh: run
  // inside the fill, it would write its lines into the ones being filled, so it is done after.
  if (refreshing_) {
    refreshAgain_ = true;
    return;
  }
  // One pass more at most: a fill that always asks again must not hold the frame.
  std::vector<MenuList::Row> rows;
  for (int pass = 0; pass < 2 && (pass == 0 || refreshAgain_); ++pass) {
    refreshAgain_ = false;
    refreshing_ = true;
    rows.clear();
    title_.clear();
    lines_.clear();
    fill(title_, lines_, rows);
    refreshing_ = false;
  }
  // Rows with pictures grow to hold them at the frames' pixel scale, inside their frames.
  rowHeight_ = kRowHeight * scale();
  if (MenuList::anyPictured(rows)) rowHeight_ = std::max(rowHeight_, MenuList::pictureRowHeight());
  float left = 0, width = 0;
  listColumn(left, width);
  wrapLines(width, rows.size());
  const float s = scale();
  const engine::Size window = uiWindowSize();
  textsFoot_ = window.height - topMargin() - (kTitleHeight + static_cast<float>(shownLines_.size()) * kLineHeight) * s;
  const float top = textsFoot_ - kListGap * s;
  list_.setFrame(engine::Vec2(left, top), width, rowHeight_, visibleRows(top), s);
  list_.setRows(std::move(rows));
  redrawTexts();
}

void ListView::drag(const engine::Vec2& point, int button, kel::DragPhase phase) {
  hover(point);
  if (phase == kel::DragPhase::End) mouseButton(point, button, true);
}

void ListView::wrapLines(float width, size_t rowCount) {
  const float s = scale();
  shownLines_.clear();
  for (const std::string& line : lines_) {
    // Measured in the font's own size, which the labels draw at the scale.
    for (std::string& part : wrapText(line, width / s, kFontSmall)) shownLines_.push_back(std::move(part));
  }
  const float room = uiWindowSize().height - topMargin() - listBottom() -
                     (kTitleHeight + kListGap) * s - static_cast<float>(std::min(rowCount, kRowsKept)) * rowHeight_;
  const size_t fitting = room > 0 ? static_cast<size_t>(room / (kLineHeight * s)) : 0;
  if (shownLines_.size() <= fitting) return;
  shownLines_.resize(fitting);
  if (!shownLines_.empty()) shownLines_.back() = kMoreLines;
}

void ListView::listColumn(float& left, float& width) const {
  const engine::Size window = uiWindowSize();
  width = std::min(kListWidth * scale(), window.width - 2 * kMargin);
  left = (window.width - width) / 2.0f;
}

float ListView::linesCentre() const { return uiWindowSize().width / 2.0f; }

float ListView::listBottom() { return std::max(kMargin, QuickSlots::barTop() + kBarGap); }

int ListView::visibleRows(float top) const {
  return std::max(1, static_cast<int>((top - listBottom()) / rowHeight_));
}

void ListView::setShade(engine::Color4B colour) {
  shadeColour_ = colour;
  if (shade_ == nullptr) return;
  shade_->setColor(engine::Color3B{colour.r, colour.g, colour.b});
  shade_->setOpacity(colour.a);
}

void ListView::framePanel() {
  // The inventory lays its grid out under its texts: it keeps its own look.
  if (id() == ViewId::Inventory) return;
  const engine::Size window = uiWindowSize();
  const float s = scale();
  float left = 0, width = 0;
  listColumn(left, width);
  float bottom = textsFoot_;
  const int shownEnd = std::min(list_.firstShown() + visibleRows(textsFoot_ - kListGap * s), static_cast<int>(list_.rows().size()));
  if (shownEnd > 0) bottom = list_.rowRect(shownEnd - 1).origin.y;
  const float pad = kPanelPad * s;
  // The frame's head stops at an achievement's banner: the banner is drawn over the views and
  // lets what lies under it show through.
  const float top = std::min(window.height - AchievementDialog::shownHeight(), window.height - topMargin() + pad / 2.0f);
  const float x0 = std::max(0.0f, left - pad), x1 = std::min(window.width, left + width + pad);
  const float y0 = std::max(0.0f, bottom - pad);
  if (x1 <= x0 || top <= y0) return;
  addFramedPanel(texts_, engine::Rect(x0, y0, x1 - x0, top - y0), engine::Color3B::WHITE, -1);
}

void ListView::redrawTexts() {
  if (texts_ == nullptr) return;
  texts_->removeAllChildrenWithCleanup();
  framePanel();
  const engine::Size window = uiWindowSize();
  const float s = scale();
  const auto scaled = [s](engine::Label* label) {
    if (label != nullptr) label->setScale(s);
  };
  const float centre = linesCentre();
  float y = window.height - topMargin() - kTitleHeight * s / 2.0f;
  scaled(addTextLabel(texts_, title_, engine::Vec2(window.width / 2.0f, y), kFontBig, engine::Color3B::WHITE,
                      engine::Vec2(0.5f, 0.5f)));
  y -= (kTitleHeight / 2.0f + kLineHeight / 2.0f) * s;
  for (const std::string& line : shownLines_) {
    scaled(addTextLabel(texts_, line, engine::Vec2(centre, y), kFontSmall,
                        engine::Color3B{220, 220, 200}, engine::Vec2(0.5f, 0.5f)));
    y -= kLineHeight * s;
  }
}

void ListView::keyEvent(engine::KeyCode key, bool released) {
  if (ownKey(key, released)) return;
  if (key == engine::KeyCode::ESCAPE) {
    // On the release, so the press cannot reach the view beneath; a release whose press went to a
    // text field or to the view before is not this view's.
    if (!released) {
      escapeArmed_ = true;
    } else if (escapeArmed_) {
      escapeArmed_ = false;
      back();
    }
    return;
  }
  list_.keyEvent(key, released);
}

void ListView::click(const engine::Vec2& point) { list_.click(point); }

bool ListView::mouseButton(const engine::Vec2& point, int button, bool released) {
  if (button != kel::MOUSE_BUTTON_LEFT || !released) return false;
  click(point);
  return true;
}

bool ListView::choose(const std::string& rowText) {
  const auto& rows = list_.rows();
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].text != rowText) continue;
    list_.select(static_cast<int>(i));
    list_.activate();
    return true;
  }
  return false;
}

void ListView::back() {
  if (GameViews* views = gameViews(); views != nullptr && views->current() == this) views->pop();
}
