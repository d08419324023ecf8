#include "ui/views/sign_view.h"

#include "engine/text/label.h"
#include "ui/views/game_views.h"
#include "ui/widgets/ui_draw.h"
#include "world/blocks/block_entity_cast.h"
#include "world/blocks/sign.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {
constexpr float kMargin = 20.0f;      // from the window's sides
constexpr float kPromptRise = 50.0f;  // the prompt above the entry
}  // namespace

SignView::SignView() : GameView(ViewId::Sign) {}

void SignView::setup(int32_t x, int32_t y, const std::string& text) {
  x_ = x;
  y_ = y;
  text_ = text;
}

void SignView::enter() {
  session().game().pause();
  if (!built_) {
    built_ = true;
    prompt_ = addTextLabel(root(), "Write on the sign (Enter to keep, Escape to leave):", engine::Vec2(), kFontSmall);
    entry_.build(root(), engine::Vec2(), 0.0f);
    layOut();
  }
  entry_.start(text_, kTextLimit, [this](const std::string& text) { submit(text); }, [this] {
    if (GameViews* views = gameViews(); views != nullptr && views->current() == this) views->pop();
  });
  GameView::enter();
}

void SignView::layOut() {
  if (!built_) return;  // the first entry lays it out
  const engine::Size window = uiWindowSize();
  if (prompt_ != nullptr) prompt_->setPosition(kMargin, window.height / 2.0f + kPromptRise);
  entry_.place(engine::Vec2(kMargin, window.height / 2.0f), window.width - 2 * kMargin);
}

void SignView::exit() {
  entry_.stop();
  GameView::exit();
  session().game().unpause();
}

void SignView::submit(const std::string& text) {
  text_ = text;
  if (World* world = session().world()) {
    if (MapBlock* cell = world->map().cellAt(x_, y_)) {
      if (auto* sign = block_entity_cast<Sign>(world->blockEntityAt(*cell))) sign->setText(text_.c_str());
    }
  }
  if (GameViews* views = gameViews(); views != nullptr && views->current() == this) views->pop();
}
