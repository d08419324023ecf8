#include "ui/views/main_view.h"

#include <algorithm>

#include "content/items/item.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "engine/scene/scheduler.h"
#include "game/combat/melee_swing.h"
#include "game/combat/swing_pace.h"
#include "game/inventory/item_kinds.h"
#include "game/player/player_desktop.h"
#include "platform/settings/settings.h"
#include "ui/hud/hud.h"
#include "ui/hud/mining_bar.h"
#include "ui/hud/quick_slots.h"
#include "ui/views/cell_highlight.h"
#include "ui/views/game_views.h"
#include "ui/views/main_view_controls.h"
#include "ui/widgets/ui_draw.h"
#include "view/console/console_node.h"
#include "view/inventory/item_tooltip.h"
#include "view/main_layer.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

// The body's place in the world, turned towards the aim.
engine::Mat4 swingTransform(const engine::Vec2& position, float aim) {
  engine::Mat4 m;
  const float angle = std::isnan(aim) ? 0.0f : aim;
  m.m[0] = std::cos(angle);
  m.m[1] = std::sin(angle);
  m.m[4] = -std::sin(angle);
  m.m[5] = std::cos(angle);
  m.m[12] = position.x;
  m.m[13] = position.y;
  return m;
}

}  // namespace

MainView::MainView() : GameView(ViewId::Main, false) {
  setControls(std::make_unique<MainControlsDesktop>(this));
  hud_ = std::make_unique<Hud>(root());
  miningBar_ = std::make_unique<MiningBar>(root());
}

MainView::~MainView() {
  // At the end of the run the director may be gone before the views.
  if (scheduled_ && engine::Director::hasInstance()) engine::Director::getInstance()->getScheduler()->unscheduleUpdate(this);
}

PlayerDesktopLocal* MainView::player() const { return session().player(); }

float MainView::paceOf(const Item* item) { return swing_pace::secondsOf(item); }

void MainView::enter() {
  if (!scheduled_) {
    engine::Director::getInstance()->getScheduler()->schedulePerFrame([this](float dt) { frame(dt); }, this, false);
    scheduled_ = true;
  }
  refreshCamera();
  GameView::enter();
}

void MainView::exit() {
  pause();
  // The game may be ending: no sprite outlives the player whose slots it shows.
  hud_->quickSlots().clear();
  if (scheduled_ && engine::Director::hasInstance()) engine::Director::getInstance()->getScheduler()->unscheduleUpdate(this);
  scheduled_ = false;
  GameView::exit();
}

void MainView::pause() {
  showCellHighlight(layer(), nullptr, nullptr);
  if (tooltipShown_) hideItemTooltip();
  tooltipShown_ = false;
  pressed_.reset();
  held_[0] = held_[1] = false;
  swingTime_ = -1.0f;
  stopMining();
  if (PlayerDesktopLocal* p = player()) p->releaseAllKeys();
}

void MainView::layOut() {
  if (tooltipShown_) hideItemTooltip();
  tooltipShown_ = false;
  hud_->layOut();
  refreshCamera();
}

void MainView::refreshCamera() {
  if (PlayerDesktopLocal* p = player()) hud_->update(*p);
}

ConsoleNode* MainView::console() {
  // The console is the main layer's, which the views' own main view draws on.
  GameViews* views = gameViews();
  MainLayer* drawnOn = views != nullptr ? views->mainView().layer() : nullptr;
  return drawnOn != nullptr ? drawnOn->console() : nullptr;
}

void MainView::addMessage(const std::string& text, uint8_t kind) {
  if (ConsoleNode* lines = console()) lines->addMessage(text, kind);
}

void MainView::frame(float dt) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->world == nullptr) return;
  GameViews* views = gameViews();
  if (views != nullptr && views->current() == this) {
    if (held_[0] && !pressShot_) mineStep(dt);
    if (held_[1]) {
      repeat_[1] -= dt;
      if (repeat_[1] <= 0) {
        repeat_[1] = paceOf(p->heldItem());
        secondaryAction();
      }
    }
    swing(*p, dt);
    MapBlock* cell = cellAt(pointer_);
    showPointedCell(layer(), *p, cell, cell != nullptr && inReach(*cell));
  }
  hud_->update(*p);
}

void MainView::swing(PlayerDesktopLocal& p, float dt) {
  if (swingTime_ < 0 || p.meleeSwing == nullptr) return;
  SwingTargets* targets = session().swingTargets();
  swingTime_ += dt;
  SwingPose pose;
  pose.animating = swingTime_ <= swingDuration_;
  pose.elapsed = swingTime_;
  pose.duration = swingDuration_;
  pose.acting = held_[0];
  pose.transform = swingTransform(p.position, aim_);
  if (targets != nullptr) p.meleeSwing->update(p, pose, *targets);
  if (pose.animating) return;
  // A held button swings again.
  swingTime_ = -1.0f;
  if (held_[0] && isSwingingItem(p.heldItem())) startSwing(p);
}

engine::Vec2 MainView::worldPointAt(const engine::Vec2& point) const {
  const PlayerDesktopLocal* p = player();
  const engine::Size window = uiWindowSize();
  const float scale = std::max(1.0f, static_cast<float>(kel::options().viewportScale) - 1.0f);
  const engine::Vec2 centre(window.width / 2.0f, window.height / 2.0f);
  const engine::Vec2 origin = p != nullptr ? p->position : engine::Vec2();
  return origin + (point - centre) * (1.0f / scale);
}

engine::Vec2 MainView::windowPointOf(const engine::Vec2& world) const {
  const PlayerDesktopLocal* p = player();
  const engine::Size window = uiWindowSize();
  const float scale = std::max(1.0f, static_cast<float>(kel::options().viewportScale) - 1.0f);
  const engine::Vec2 origin = p != nullptr ? p->position : engine::Vec2();
  return engine::Vec2(window.width / 2.0f, window.height / 2.0f) + (world - origin) * scale;
}

MapBlock* MainView::cellAt(const engine::Vec2& point) const {
  const PlayerDesktopLocal* p = player();
  if (p == nullptr || p->world == nullptr) return nullptr;
  const engine::Vec2 world = worldPointAt(point);
  WorldMap& map = p->world->map();
  int32_t x = static_cast<int32_t>(std::floor(world.x / kCellPixels + 0.5f));
  const int32_t y = static_cast<int32_t>(std::floor(world.y / kCellPixels + 0.5f));
  if (map.width() > 0) x = ((x % map.width()) + map.width()) % map.width();
  return map.cellAt(x, y);
}

bool MainView::inReach(const MapBlock& cell) const {
  const PlayerDesktopLocal* p = player();
  if (p == nullptr || p->world == nullptr) return false;
  const int32_t width = p->world->map().width();
  int32_t dx = std::abs(static_cast<int32_t>(cell.x) - static_cast<int32_t>(p->cellX));
  if (width > 0) dx = std::min(dx, width - dx);
  const int32_t dy = static_cast<int32_t>(cell.y) - static_cast<int32_t>(p->cellY);
  return static_cast<float>(dx * dx + dy * dy) <= kReachCells * kReachCells;
}

