#pragma once
// The game while this machine hosts: every action is the game played alone's (`GameLocal`), run
// through the host's rules (`NetLogic`), which apply it to the hosted world and tell the clients.
// Where hosting differs: a mode change is told to the clients; a respawn is the host's (no
// character ends with its death here); leaving a bed is the shared sleep; trade requests go to the
// player standing on the clicked cell; the held item is shown to every client; a travel whose
// world was saved re-hosts at the destination (on the main thread, through a new endpoint); and
// quitting ends the endpoint and returns to the game played alone. A travel whose save failed
// stays, as alone, and says so.
//
// Main thread only.

#include <cstdint>
#include <string>

#include "game/session/game_local.h"

class NetLogic;
class NetServer;

// What hosting does around its game: the hosting layer (hosting.h) implements it.
class HostingControl {
 public:
  // Hosting ended: the game played alone becomes the current one again (after the caller returned).
  virtual void returnToLocalGame() = 0;
  // Hosting goes on at the travel's destination, from the planet `origin`: a new endpoint for the
  // same setup, and a new hosting game that arrives at the target.
  virtual void rehost(const TravelTarget& target, uint32_t origin) = 0;

 protected:
  ~HostingControl() = default;
};

class GameRemoteServer final : public GameLocal,
                               public GamePeerReports,
                               public GameTradeWindows,
                               public GameChat {
 public:
  static constexpr uint8_t kHostingSession = 1;

  // `services`: the screen, saves and statistics store it plays with, and its running world.
  GameRemoteServer(NetLogic& rules, NetServer& server, HostingControl& hosting, const GameServices& services);

  NetServer& server() const { return server_; }
  // Of the networked roles, the host has the reports to its clients (motion, held item, the
  // shared sleep), trade windows and chat; its own player's hits, portal choices and learned items
  // run through its rules, as alone.
  GamePeerReports* peerReports() override { return this; }
  GameTradeWindows* tradeWindows() override { return this; }
  GameChat* chat() override { return this; }

  // The host's own command runs here for its player, as alone; a chat line goes to every client
  // and to the host's console.
  void submitChatLine(const std::string& text) override;

  void setPlayerMode(uint8_t mode) override;
  void respawn() override;
  void leaveBed() override;
  void requestTrade(PlayerBase* other) override;
  // The host's own trade window works straight on the host's trade session.
  TradeAbstract* createTrade(const std::string& partner) override;
  // The host's own player answers the request of the player at `askingPeer`.
  void answerTrade(uint8_t answer, uint8_t askedPeer, uint8_t askingPeer) override;
  void sendHeldItem() override;
  void sendWornItem(const Item* item, uint8_t index, bool secondSet) override;
  void sendPlayerState(const PlayerStateRecord& record) override;
  void sendBuff(uint16_t buff, bool gained) override;
  uint8_t sessionKind() override { return kHostingSession; }
  // The world is not saved here: the callers save first.
  void quit() override;

 protected:
  void continueTravel(const TravelTarget& target, uint32_t origin) override;

 private:
  NetLogic& netRules_;
  NetServer& server_;
  HostingControl& hosting_;
};
