#include "ui/views/game_views.h"

#include "engine/base/log.h"
#include "platform/settings/settings.h"
#include "ui/views/book_view.h"
#include "ui/views/game_view.h"
#include "ui/views/inventory_view.h"
#include "ui/views/plain_views.h"
#include "ui/views/start_view.h"

namespace {

std::unique_ptr<GameViews>& instance() {
  static std::unique_ptr<GameViews> views;
  return views;
}

std::unique_ptr<GameView> makeView(ViewId id) {
  switch (id) {
    case ViewId::Main: return std::make_unique<MainView>();
    case ViewId::Inventory: return std::make_unique<InventoryView>();
    case ViewId::Map: return std::make_unique<MapView>();
    case ViewId::Book: return std::make_unique<BookView>();
    case ViewId::Start: return std::make_unique<StartView>();
    case ViewId::Death: return std::make_unique<DeathView>();
    case ViewId::Pause: return std::make_unique<PauseView>();
    case ViewId::Sign: return std::make_unique<SignView>();
    case ViewId::Chat: return std::make_unique<ChatView>();
    case ViewId::Wait: return std::make_unique<WaitView>();
    case ViewId::Dialog: return std::make_unique<DialogView>();
    case ViewId::Fish: return std::make_unique<FishView>();
    case ViewId::Circuit: return std::make_unique<CircuitView>();
    case ViewId::Achievements: return std::make_unique<AchievementsView>();
    case ViewId::Help: return std::make_unique<HelpView>();
    case ViewId::None: break;
  }
  return nullptr;
}

}  // namespace

GameViews::GameViews() {
  for (int i = 0; i < VIEW_COUNT; ++i) views_[i] = makeView(static_cast<ViewId>(i));
}

GameViews::~GameViews() {
  // Views leave the layer before they go, current one first, so none is left drawing.
  if (current_ != nullptr) current_->exit();
  for (auto it = paused_.rbegin(); it != paused_.rend(); ++it) (*it)->exit();
}

GameView& GameViews::view(ViewId id) { return *views_[static_cast<size_t>(id)]; }

ViewId GameViews::currentId() const { return current_ != nullptr ? current_->id() : ViewId::None; }

InventoryView& GameViews::inventoryView() {
  return static_cast<InventoryView&>(view(ViewId::Inventory));
}
BookView& GameViews::bookView() { return static_cast<BookView&>(view(ViewId::Book)); }
StartView& GameViews::startView() { return static_cast<StartView&>(view(ViewId::Start)); }

bool GameViews::isOnStack(const GameView& view) const {
  if (current_ == &view) return true;
  for (const GameView* waiting : paused_) {
    if (waiting == &view) return true;
  }
  return false;
}

void GameViews::activate(GameView& view) { view.controls().activate(); }
void GameViews::deactivate(GameView& view) { view.controls().deactivate(); }

bool GameViews::push(GameView& view) {
  if (isOnStack(view)) {
    // One view in two places on the stack would be entered twice and exited once.
    engine::log("view %d is already on the view stack", static_cast<int>(view.id()));
    return false;
  }
  if (current_ != nullptr) {
    current_->pause();
    deactivate(*current_);
    paused_.push_back(current_);
  }
  current_ = &view;
  view.enter();
  activate(view);
  return true;
}

bool GameViews::pop() {
  if (current_ == nullptr) return false;
  GameView& leaving = *current_;
  deactivate(leaving);
  leaving.exit();
  current_ = nullptr;
  if (!paused_.empty()) {
    current_ = paused_.back();
    paused_.pop_back();
    current_->resume();
    activate(*current_);
  }
  return true;
}

void GameViews::switchTo(GameView& view) {
  while (pop()) {
  }
  current_ = &view;
  view.enter();
  activate(view);
}

void GameViews::setLayer(engine::InnerNode* layer) {
  for (auto& view : views_) view->setLayer(layer);
}

void GameViews::setWheelEnabled(bool enabled) {
  for (auto& view : views_) view->controls().setWheelEnabled(enabled);
}

GameViews* gameViews() { return instance().get(); }

void createViews() {
  instance().reset();
  instance() = std::make_unique<GameViews>();
  instance()->setWheelEnabled(!kel::options().disableMouseWheel);
}

void destroyViews() { instance().reset(); }

void showPauseView() {
  if (GameViews* views = gameViews()) views->switchTo(views->view(ViewId::Pause));
}
