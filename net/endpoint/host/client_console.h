#pragma once
// A joined player's console command as the host runs it: for the host's copy of that player, in
// the hosted world. Seeds it is given are handed to its client as an offer that needs no answer,
// and the reply goes to that client's console alone.
//
// Main thread only.

#include <string>

#include "game/chat/console_commands.h"

class NetPlayerServer;
class PlayerServer;

class ClientConsole final : public ConsoleSubject {
 public:
  // `entry` holds the client's name; `player` is its copy on the host.
  ClientConsole(const NetPlayerServer& entry, PlayerServer& player) : entry_(entry), player_(player) {}
  const std::string& name() const override;
  World* world() const override;
  // The client's inventory is its own: the host cannot see its room, so the stack is offered and
  // the client keeps what fits.
  bool receive(const Item& item) override;
  void reply(uint8_t kind, const std::string& text) override;

 private:
  const NetPlayerServer& entry_;
  PlayerServer& player_;
};
