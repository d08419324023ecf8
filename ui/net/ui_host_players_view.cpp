#include "ui/net/ui_host_players_view.h"

#include "view/main_layer.h"

void UiHostPlayersView::clientPlayerShown(PlayerBase& player) {
  if (MainLayer* layer = MainLayer::current()) layer->showRemotePlayer(player);
}

void UiHostPlayersView::clientPlayerGone(const PlayerBase& player) {
  if (MainLayer* layer = MainLayer::current()) layer->removeRemotePlayer(player);
}
