#pragma once
// A host's interface as its endpoint sees it: the sprites of the clients' players on the main
// layer's world view, made when a client enters, following its player from then on (its place
// every frame, its motion, facing and actions through the world view's player events), and taken
// away before the player goes.
//
// Main thread only.

#include "net/endpoint/host/host_players_view.h"
#include "view/player/world_view_player_events.h"

class UiLaunchServices;

class UiHostPlayersView final : public HostPlayersView {
 public:
  // The clients' players are drawn on the main layer the interface draws on (not owned).
  explicit UiHostPlayersView(const UiLaunchServices& interface) : interface_(interface) {}

  void clientPlayerShown(PlayerBase& player) override;
  void clientPlayerGone(const PlayerBase& player) override;
  // The world view's part only: a client's player shows no messages, views or HUD of the host's.
  PlayerEvents* clientEvents() override { return &clientEvents_; }

 private:
  const UiLaunchServices& interface_;
  WorldViewPlayerEvents clientEvents_;
};
