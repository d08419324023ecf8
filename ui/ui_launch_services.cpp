#include "ui/ui_launch_services.h"

#include "ui/views/book_view.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"

void UiLaunchServices::createViews() {
  ::createViews();
  bindViews();
}

void UiLaunchServices::bindGame(GameInterface& game, LogicCells& cells, LogicEntities& entities, SwingRules& swing,
                                RunningWorld& running, const StatsStore* stats) {
  game_ = &game;
  cells_ = &cells;
  entities_ = &entities;
  swing_ = &swing;
  running_ = &running;
  stats_ = stats;
  bindViews();
}

void UiLaunchServices::unbindGame(const GameInterface& game) {
  if (game_ != &game) return;
  game_ = nullptr;
  cells_ = nullptr;
  entities_ = nullptr;
  swing_ = nullptr;
  running_ = nullptr;
  stats_ = nullptr;
  bindViews();
}

void UiLaunchServices::bindViews() {
  if (GameViews* views = gameViews()) views->session().bind(game_, cells_, entities_, swing_, running_, stats_);
}

void UiLaunchServices::setBookPages(const BookEntry* begin, const BookEntry* end) {
  if (GameViews* views = gameViews()) views->bookView().setPages(begin, end);
}

void UiLaunchServices::setCollectionPages(const BookCollections::Pages* pages) {
  if (GameViews* views = gameViews()) views->bookView().setCollections(pages);
}

ViewId UiLaunchServices::currentView() const {
  GameViews* views = gameViews();
  return views != nullptr ? views->currentId() : ViewId::None;
}

void UiLaunchServices::refreshInventory() {
  if (GameViews* views = gameViews()) views->inventoryView().refresh();
}

void UiLaunchServices::showPauseView() { ::showPauseView(); }

void UiLaunchServices::showStartView(MainLayer* layer) {
  layer_ = layer;
  GameViews* views = gameViews();
  if (views == nullptr) return;
  views->setLayer(layer);
  views->switchTo(views->startView());
}

void UiLaunchServices::detachLayer(MainLayer* layer) {
  if (layer_ == layer) layer_ = nullptr;
  GameViews* views = gameViews();
  if (views == nullptr) return;
  for (int i = 0; i < VIEW_COUNT; ++i) {
    GameView& view = views->view(static_cast<ViewId>(i));
    if (view.layer() == layer) view.setLayer(nullptr);
  }
}

void UiLaunchServices::layOutViews() {
  if (GameViews* views = gameViews()) views->layOut();
}
