#include "menus/menu_net_notices.h"

#include "menus/start_view.h"
#include "ui/views/game_views.h"
#include "ui/views/main_view.h"

void MenuNetNotices::consoleLine(const std::string& text) { MainView::addMessage(text, kSystemLine); }

void MenuNetNotices::connectionLost(uint8_t, const std::string& text) {
  GameViews* views = gameViews();
  if (views == nullptr) return;
  auto* start = views->menuView<StartView>();
  if (start == nullptr) return;
  if (views->currentId() != ViewId::Start) views->switchTo(*start);
  start->setMessage(text);
  start->showDialog(StartView::kNetworkGameEndedDialog);
}
