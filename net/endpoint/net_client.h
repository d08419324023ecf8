#pragma once
// A joining player's endpoint. Once its bridge is connected it says hello ([0][2] with the local
// name and the protocol version) and waits at most 20 s for the host's answer: admission asks for
// the world ([0][9]); a refusal, the host's departure or the wait running out ends the networked
// game with the reason's text (connection_lost.h). Until the client is in the game it takes only
// the connection and world-transfer messages.
//
// Main thread only.

#include <cstdint>
#include <memory>
#include <string>

#include "net/endpoint/net_common.h"
#include "net/endpoint/net_player_table.h"
#include "net/transfer/world_receiver.h"

class NetClient : public NetCommon {
 public:
  enum State : int32_t {
    kConnecting = 0,     // waiting for the transport's connected notice
    kHelloSent = 2,      // waiting for admission and the world
    kWorldReceived = 3,  // the world is complete; players and clock asked for
    kInGame = 5,
  };

  explicit NetClient(std::string localName, NetNotices* notices = nullptr);
  ~NetClient() override;

  // A client endpoint with the platform's bridge for the setup, made current. The caller then
  // starts the bridge (`startWith`) with the host to join; when that fails, the caller ends the
  // endpoint (`endCurrentNet`).
  static NetClient& create(const kel::NetBridgeSetup& setup, std::string localName,
                           NetNotices* notices = nullptr);

  void setBridge(std::unique_ptr<kel::NetBridgeClient> bridge) { bridge_ = std::move(bridge); }
  kel::NetBridgeClient* bridge() const override { return bridge_.get(); }

  // Connected: the drain and the join timeout start, then the hello goes out.
  void transportOpened() override;
  void start() override;
  // Only the host (peer 0) counts: the networked game ends with the reason's text.
  void onPeerLost(uint8_t peer, uint8_t reason) override;
  void shutdown() override;
  void send(const uint8_t* data, uint32_t length, uint8_t peer) override;

  // The game entered the downloaded world: the host hears it ([0][5], the player's two healths)
  // and the client is in the game. The player's own state follows with the players.
  void enterWorld(uint8_t maxHealth, uint8_t health);

  State state() const { return state_; }
  const NetPlayerTable& players() const { return players_; }
  // The world the host sends (net/transfer/).
  WorldReceiver& worldReceiver() { return worldReceiver_; }

 protected:
  bool admits(uint8_t category) const override;
  void handleConnection(wire::WireIn& in, uint8_t peer) override;
  void handleWorldData(wire::WireIn& in, uint8_t peer) override;
  void handleWorldChanges(wire::WireIn& in, uint8_t peer) override;
  void handleEntities(wire::WireIn& in, uint8_t peer) override;

 private:
  void sendHello();
  void timedOut();
  void departure(wire::WireIn& in);
  void refused(wire::WireIn& in);

  std::unique_ptr<kel::NetBridgeClient> bridge_;
  State state_ = kConnecting;
  NetPlayerTable players_;
  WorldReceiver worldReceiver_{*this};
};
