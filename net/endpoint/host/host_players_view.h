#pragma once
// What a host's endpoint asks of the interface above it: the sprites of its clients' players in the
// hosted world, made when a client enters and taken away before its player goes, and where those
// players tell how they move and act (so that their sprites walk, face and swing). The interface
// implements it and hands it to the endpoint; the null form shows nothing.
//
// Main thread only.

class PlayerBase;
class PlayerEvents;

class HostPlayersView {
 public:
  virtual ~HostPlayersView() = default;
  // The client's player stands on its cell in the hosted world: its sprite is made.
  virtual void clientPlayerShown(PlayerBase& player) = 0;
  // The client's player is about to be deleted: its sprite goes first.
  virtual void clientPlayerGone(const PlayerBase& player) = 0;
  // Where the clients' players tell their motion and actions (null: nobody).
  virtual PlayerEvents* clientEvents() = 0;
};

class NullHostPlayersView final : public HostPlayersView {
 public:
  void clientPlayerShown(PlayerBase&) override {}
  void clientPlayerGone(const PlayerBase&) override {}
  PlayerEvents* clientEvents() override { return nullptr; }
};
