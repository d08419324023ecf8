#include "ui/views/sign_view.h"

#include "game/session/running_world.h"
#include "ui/views/game_views.h"
#include "ui/widgets/ui_draw.h"
#include "world/blocks/sign.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/world.h"

SignView::SignView() : GameView(ViewId::Sign) {}

void SignView::setup(int32_t x, int32_t y, const std::string& text) {
  x_ = x;
  y_ = y;
  text_ = text;
}

void SignView::enter() {
  currentGame().pause();
  if (!built_) {
    built_ = true;
    const engine::Size window = uiWindowSize();
    addTextLabel(root(), "Write on the sign (Enter to keep, Escape to leave):", engine::Vec2(20.0f, window.height / 2.0f + 50.0f),
                 kFontSmall);
    entry_.build(root(), engine::Vec2(20.0f, window.height / 2.0f), window.width - 40.0f);
  }
  entry_.start(text_, kTextLimit, [this](const std::string& text) { submit(text); }, [this] {
    if (GameViews* views = gameViews(); views != nullptr && views->current() == this) views->pop();
  });
  GameView::enter();
}

void SignView::exit() {
  entry_.stop();
  GameView::exit();
  currentGame().unpause();
}

void SignView::submit(const std::string& text) {
  text_ = text;
  if (World* world = runningWorld().world.get()) {
    if (MapBlock* cell = world->map().cellAt(x_, y_)) {
      if (auto* sign = dynamic_cast<Sign*>(world->blockEntityAt(*cell))) sign->setText(text_.c_str());
    }
  }
  if (GameViews* views = gameViews(); views != nullptr && views->current() == this) views->pop();
}
