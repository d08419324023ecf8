#pragma once
// A joined player's interface as its endpoint sees it: whether the inventory view is the current
// view, the wait view's "A client is joining the game.." while another client downloads the world
// (through the transfer screen's wait status), and the sprites of the other players' copies on
// the main layer's world view, made when a copy stands on its cell, following it from then on
// (its place every frame, its motion, facing and actions through the world view's player events),
// and taken away before the copy goes.
//
// Main thread only.

#include "net/endpoint/client/net_client_view.h"
#include "view/player/world_view_player_events.h"

class UiLaunchServices;
class WaitStatus;

class UiNetClientView final : public NetClientView {
 public:
  static constexpr const char* kJoiningText = "A client is joining the game..";

  // `wait` shows the wait view's status; the copies are drawn on the main layer the interface
  // draws on. Neither is owned.
  UiNetClientView(WaitStatus& wait, const UiLaunchServices& interface) : wait_(wait), interface_(interface) {}

  bool inventoryViewIsCurrent() const override;
  void joiningStatus(bool joining) override;
  void remotePlayerShown(PlayerClientDesktop& player) override;
  void remotePlayerGone(PlayerClientDesktop& player) override;
  // The world view's part only: a copy shows no messages, views or HUD of the local player's.
  PlayerEvents* copyEvents() override { return &copyEvents_; }

 private:
  WaitStatus& wait_;
  const UiLaunchServices& interface_;
  WorldViewPlayerEvents copyEvents_;
};
