#include "ui/net/ui_host_players_view.h"

#include "ui/ui_launch_services.h"
#include "view/main_layer.h"

void UiHostPlayersView::clientPlayerShown(PlayerBase& player) {
  if (MainLayer* layer = interface_.layer()) layer->showRemotePlayer(player);
}

void UiHostPlayersView::clientPlayerGone(const PlayerBase& player) {
  if (MainLayer* layer = interface_.layer()) layer->removeRemotePlayer(player);
}
