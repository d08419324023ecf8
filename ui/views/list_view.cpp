#include "ui/views/list_view.h"

#include <algorithm>

#include "engine/layer/layer_color.h"
#include "engine/scene/inner_node.h"
#include "platform/controls/real_controls.h"
#include "ui/hud/quick_slots.h"
#include "ui/views/game_views.h"
#include "ui/widgets/text_wrap.h"
#include "ui/widgets/ui_draw.h"

namespace {

// Dark enough that the texts read over the brightest world beneath.
constexpr engine::Color4B kShade{0, 0, 0, 215};
constexpr float kMargin = 40.0f;
constexpr float kTitleHeight = 50.0f;
constexpr float kLineHeight = 24.0f;
constexpr float kRowHeight = 32.0f;
constexpr float kListWidth = 520.0f;
constexpr float kBarGap = 8.0f;       // between the quick bar and the list
constexpr size_t kRowsKept = 3;       // rows that long lines leave room for
constexpr const char* kMoreLines = "...";

class ListViewControls final : public kel::RealControls<ListView> {
 public:
  explicit ListViewControls(ListView* view) : RealControls(view) {}
  void keyEvent(engine::KeyCode key, bool released) override { view_->keyEvent(key, released); }
  void mouseMoved(const engine::Vec2& point) override { view_->hover(point); }
  void mouseWheel(const engine::Vec2&, float amount) override { view_->wheel(amount); }
  void mouseButton(const engine::Vec2& point, int button, bool released) override {
    view_->mouseButton(point, button, released);
  }
  void mouseDrag(const engine::Vec2& point, int button, kel::DragPhase phase) override {
    view_->drag(point, button, phase);
  }
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
    shade_ = addColorLayer(root(), kShade, window, engine::Vec2(0, 0), -1);
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

void ListView::refresh() {
  std::vector<MenuList::Row> rows;
  title_.clear();
  lines_.clear();
  fill(title_, lines_, rows);
  float left = 0, width = 0;
  listColumn(left, width);
  wrapLines(width, rows.size());
  const engine::Size window = uiWindowSize();
  const float top =
      window.height - kMargin - kTitleHeight - static_cast<float>(shownLines_.size()) * kLineHeight - 10.0f;
  list_.setFrame(engine::Vec2(left, top), width, kRowHeight, visibleRows(top));
  list_.setRows(std::move(rows));
  redrawTexts();
}

void ListView::drag(const engine::Vec2& point, int button, kel::DragPhase phase) {
  hover(point);
  if (phase == kel::DragPhase::End) mouseButton(point, button, true);
}

void ListView::wrapLines(float width, size_t rowCount) {
  shownLines_.clear();
  for (const std::string& line : lines_) {
    for (std::string& part : wrapText(line, width, kFontSmall)) shownLines_.push_back(std::move(part));
  }
  const float room = uiWindowSize().height - kMargin - kTitleHeight - 10.0f - listBottom() -
                     static_cast<float>(std::min(rowCount, kRowsKept)) * kRowHeight;
  const size_t fitting = room > 0 ? static_cast<size_t>(room / kLineHeight) : 0;
  if (shownLines_.size() <= fitting) return;
  shownLines_.resize(fitting);
  if (!shownLines_.empty()) shownLines_.back() = kMoreLines;
}

void ListView::listColumn(float& left, float& width) const {
  const engine::Size window = uiWindowSize();
  width = std::min(kListWidth, window.width - 2 * kMargin);
  left = (window.width - width) / 2.0f;
}

float ListView::listBottom() { return std::max(kMargin, QuickSlots::barTop() + kBarGap); }

int ListView::visibleRows(float top) const { return std::max(1, static_cast<int>((top - listBottom()) / kRowHeight)); }

void ListView::redrawTexts() {
  if (texts_ == nullptr) return;
  texts_->removeAllChildrenWithCleanup();
  const engine::Size window = uiWindowSize();
  float y = window.height - kMargin - kTitleHeight / 2.0f;
  addTextLabel(texts_, title_, engine::Vec2(window.width / 2.0f, y), kFontBig, engine::Color3B::WHITE,
               engine::Vec2(0.5f, 0.5f));
  y -= kTitleHeight / 2.0f + kLineHeight / 2.0f;
  for (const std::string& line : shownLines_) {
    addTextLabel(texts_, line, engine::Vec2(window.width / 2.0f, y), kFontSmall, engine::Color3B{220, 220, 200},
                 engine::Vec2(0.5f, 0.5f));
    y -= kLineHeight;
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
