#pragma once
// The host's endpoint. It admits clients by their hello ([0][2]: room left and the same protocol
// version, else a refusal), tells every peer when a player leaves, and starts draining its
// messages only once the hosted world is ready, so that no message is handled before there is a
// world to apply it to (until then they wait in the queue).
//
// The host trusts no client: a hello from a peer that already has an entry, or a departure that
// names any peer but its sender, is ignored.
//
// Main thread only.

#include <cstdint>
#include <memory>
#include <string>

#include "net/endpoint/net_common.h"
#include "net/endpoint/net_player_table.h"
#include "net/players/player_server.h"

class NetPlayerServer;
class PlayerBase;

class NetServer : public NetCommon {
 public:
  NetServer(const kel::NetBridgeSetup& setup, std::string localName, NetNotices* notices = nullptr);
  ~NetServer() override;

  // A server endpoint with the platform's bridge for the setup, made current. The caller then
  // starts the bridge (`startWith`) with where to listen; without a bridge (a kind the platform
  // cannot make) the endpoint is current but cannot start.
  static NetServer& create(const kel::NetBridgeSetup& setup, std::string localName,
                           NetNotices* notices = nullptr);

  void setBridge(std::unique_ptr<kel::NetBridgeServer> bridge) { bridge_ = std::move(bridge); }
  kel::NetBridgeServer* bridge() const override { return bridge_.get(); }

  // The host's own player (not owned; null: none yet), kept in entry 0 once the bridge listens.
  // An admitted client's player starts on its spawn cell and its current cell.
  void setHostPlayer(PlayerBase* player);
  PlayerBase* hostPlayer() const { return hostPlayer_; }

  // The bridge listens: the host's own entry (peer 0) is made.
  void transportOpened() override { start(); }
  void start() override;
  // The hosted world is ready: every connected peer hears [0][0] and the drain begins.
  void worldReady();
  // A peer left (its departure, a refusal or the transport's notice): the others are told, its
  // entry goes, and the bridge drops it.
  void onPeerLost(uint8_t peer, uint8_t reason) override;
  void shutdown() override;
  void send(const uint8_t* data, uint32_t length, uint8_t peer) override;
  void sendTo(const wire::WireOut& message, uint8_t peer);
  void sendToAllBut(const wire::WireOut& message, uint8_t peer);

  uint8_t playerLimit() const { return playerLimit_; }
  const NetPlayerTable& players() const { return players_; }
  // The entry of a peer; null for none (every entry of the host's table is a NetPlayerServer).
  NetPlayerServer* entryOf(uint8_t peer) const;

 protected:
  void handleConnection(wire::WireIn& in, uint8_t peer) override;

 private:
  void admit(wire::WireIn& in, uint8_t peer);
  std::unique_ptr<PlayerServerDesktop> makePlayer(uint8_t peer);

  uint8_t playerLimit_;
  PlayerBase* hostPlayer_ = nullptr;
  std::unique_ptr<kel::NetBridgeServer> bridge_;
  NetPlayerTable players_;
};
