#pragma once
// What a client's endpoint asks of the interface above it: whether the inventory view is the
// current view (a block entity the host opens then is refused, so that the host closes it), the
// wait view's line while another client is joining, and the sprites of the other players' copies.
// The interface implements it and hands it to the endpoint; the null form answers no and shows
// nothing.
//
// Main thread only.

#include <cstdint>

#include "net/players/player_client.h"

class PlayerEvents;

class NetClientView {
 public:
  virtual ~NetClientView() = default;
  virtual bool inventoryViewIsCurrent() const = 0;
  // `joining`: the wait view says "A client is joining the game.."; else the wait view, when it is
  // the current view, gives way to the main view.
  virtual void joiningStatus(bool joining) = 0;
  // The copy stands on its cell: its sprite is made, or placed again.
  virtual void remotePlayerShown(PlayerClientDesktop& player) = 0;
  // The copy is about to be deleted: its sprite goes first.
  virtual void remotePlayerGone(PlayerClientDesktop& player) = 0;
  // What every copy tells the view as it moves and acts (its sprite's motion, facing and actions,
  // the sounds and effects at its cell); null: nothing. Outlives the copies.
  virtual PlayerEvents* copyEvents() = 0;
};

class NullNetClientView : public NetClientView {
 public:
  bool inventoryViewIsCurrent() const override { return false; }
  void joiningStatus(bool) override {}
  void remotePlayerShown(PlayerClientDesktop&) override {}
  void remotePlayerGone(PlayerClientDesktop&) override {}
  PlayerEvents* copyEvents() override { return nullptr; }
};
