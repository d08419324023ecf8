#include "ui/views/game_views.h"

#include "engine/base/log.h"
#include "platform/settings/settings.h"
#include "ui/views/book_view.h"
#include "ui/views/game_view.h"
#include "ui/views/inventory_view.h"
#include "ui/views/achievements_view.h"
#include "ui/views/chat_view.h"
#include "ui/views/circuit_view.h"
#include "ui/views/death_view.h"
#include "ui/views/dialog_view.h"
#include "ui/views/fish_view.h"
#include "ui/views/help_view.h"
#include "ui/views/main_view.h"
#include "ui/views/map_view.h"
#include "ui/views/pause_view.h"
#include "ui/views/sign_view.h"
#include "ui/views/menu_view_maker.h"
#include "view/inventory/inventory_view_hooks.h"

namespace {

std::unique_ptr<GameViews>& instance() {
  static std::unique_ptr<GameViews> views;
  return views;
}

// A place on the stack for a menu view when no maker is registered.
class PlainMenuView final : public GameView {
 public:
  explicit PlainMenuView(ViewId id) : GameView(id) {}
};

std::unique_ptr<GameView> makeView(ViewId id) {
  if (isMenuView(id)) return std::make_unique<PlainMenuView>(id);
  switch (id) {
    case ViewId::Main: return std::make_unique<MainView>();
    case ViewId::Inventory: return std::make_unique<InventoryView>();
    case ViewId::Map: return std::make_unique<MapView>();
    case ViewId::Book: return std::make_unique<BookView>();
    case ViewId::Death: return std::make_unique<DeathView>();
    case ViewId::Pause: return std::make_unique<PauseView>();
    case ViewId::Sign: return std::make_unique<SignView>();
    case ViewId::Chat: return std::make_unique<ChatView>();
    case ViewId::Dialog: return std::make_unique<DialogView>();
    case ViewId::Fish: return std::make_unique<FishView>();
    case ViewId::Circuit: return std::make_unique<CircuitView>();
    case ViewId::Achievements: return std::make_unique<AchievementsView>();
    case ViewId::Help: return std::make_unique<HelpView>();
    case ViewId::Start:
    case ViewId::Wait:
    case ViewId::None: break;
  }
  return nullptr;
}

}  // namespace

GameViews::GameViews() {
  for (int i = 0; i < VIEW_COUNT; ++i) {
    const auto id = static_cast<ViewId>(i);
    std::unique_ptr<GameView> made = isMenuView(id) ? menuViewMaker().makeView(id) : nullptr;
    madeByMenus_[i] = made != nullptr;
    views_[i] = made != nullptr ? std::move(made) : makeView(id);
    views_[i]->setSession(session_);
  }
}

GameViews::~GameViews() {
  // Views leave the layer before they go, current one first, so none is left drawing.
  if (current_ != nullptr) current_->exit();
  for (auto it = paused_.rbegin(); it != paused_.rend(); ++it) (*it)->exit();
}

GameView& GameViews::view(ViewId id) { return *views_[static_cast<size_t>(id)]; }

bool GameViews::madeByMenus(ViewId id) const {
  return isMenuView(id) && madeByMenus_[static_cast<size_t>(id)];
}

GameView* GameViews::menuMadeView(ViewId id) { return madeByMenus(id) ? &view(id) : nullptr; }

ViewId GameViews::currentId() const { return current_ != nullptr ? current_->id() : ViewId::None; }

InventoryView& GameViews::inventoryView() {
  return static_cast<InventoryView&>(view(ViewId::Inventory));
}
MapView& GameViews::mapView() { return static_cast<MapView&>(view(ViewId::Map)); }
BookView& GameViews::bookView() { return static_cast<BookView&>(view(ViewId::Book)); }
FishView& GameViews::fishView() { return static_cast<FishView&>(view(ViewId::Fish)); }
MainView& GameViews::mainView() { return static_cast<MainView&>(view(ViewId::Main)); }

void GameViews::clearViewStack() {
  while (pop()) {
  }
}

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
    current_->setCovered(true);
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
    current_->setCovered(false);
    current_->resume();
    activate(*current_);
  }
  return true;
}

void GameViews::switchTo(GameView& view) {
  clearViewStack();
  current_ = &view;
  view.enter();
  activate(view);
}

void GameViews::setLayer(MainLayer* layer) {
  for (auto& view : views_) view->setLayer(layer);
}

void GameViews::setWheelEnabled(bool enabled) {
  for (auto& view : views_) view->controls().setWheelEnabled(enabled);
}

void GameViews::layOut() {
  for (auto& view : views_) view->layOut();
}


GameViews* gameViews() { return instance().get(); }

void createViews() {
  destroyViews();
  instance() = std::make_unique<GameViews>();
  instance()->setWheelEnabled(!kel::options().disableMouseWheel);
  // The slot sprites ask the inventory view for their windows, panels and selection.
  setInventoryViewHooks(&instance()->inventoryView());
}

void destroyViews() {
  if (instance() != nullptr) {
    InventoryViewHooks* ours = &instance()->inventoryView();
    if (&inventoryViewHooksSeam().get() == ours) setInventoryViewHooks(nullptr);
  }
  instance().reset();
}

void showPauseView() {
  if (GameViews* views = gameViews()) views->switchTo(views->view(ViewId::Pause));
}
