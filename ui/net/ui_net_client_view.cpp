#include "ui/net/ui_net_client_view.h"

#include "ui/net/wait_status.h"
#include "ui/ui_launch_services.h"
#include "ui/views/game_views.h"
#include "view/main_layer.h"

bool UiNetClientView::inventoryViewIsCurrent() const {
  const GameViews* views = gameViews();
  return views != nullptr && views->currentId() == ViewId::Inventory;
}

void UiNetClientView::joiningStatus(bool joining) {
  if (joining) {
    wait_.show(kJoiningText, "");
  } else {
    wait_.end();
  }
}

void UiNetClientView::remotePlayerShown(PlayerClientDesktop& player) {
  if (MainLayer* layer = interface_.layer()) layer->showRemotePlayer(player);
}

void UiNetClientView::remotePlayerGone(PlayerClientDesktop& player) {
  if (MainLayer* layer = interface_.layer()) layer->removeRemotePlayer(player);
}
