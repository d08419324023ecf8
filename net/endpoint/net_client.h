#pragma once
// A joining player's endpoint. Once its bridge is connected it says hello ([0][2] with the local
// name and the protocol version) and waits at most 20 s for the host's answer: admission asks for
// the world ([0][9]); a refusal, the host's departure or the wait running out ends the networked
// game with the reason's text (connection_lost.h). Until the client is in the game it takes only
// the connection and world-transfer messages.
//
// In the game it runs no rules: it copies the host's decisions into its own world, its local
// player, its copies of the other players (`PlayerClient`, one per table entry), the entities and
// the views. It trusts the host no further than it must: a message naming a peer without an
// entry, a cell off the map, an entity that is not there or a number out of its range changes
// nothing, and every item is made fit through `itemFromWire`. The handlers are in client/, by
// category group.
//
// Main thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/endpoint/client/net_client_view.h"
#include "net/endpoint/handler_table.h"
#include "net/endpoint/net_common.h"
#include "net/endpoint/net_player_table.h"
#include "net/players/player_client.h"
#include "net/transfer/world_receiver.h"
#include "net/wire/connection_messages.h"

class Entity;
class RealEntity;
class MapBlock;
class PlayerBase;
class PlayerDesktopLocal;
class WorldEntities;

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

  // A client endpoint with the platform's bridge for the setup, owned by the caller's game. The
  // caller then starts the bridge (`startWith`) with the host to join; when that fails, the caller
  // shuts the endpoint down.
  static std::unique_ptr<NetClient> create(const kel::NetBridgeSetup& setup, std::string localName,
                           NetNotices* notices = nullptr);

  void setBridge(std::unique_ptr<kel::NetBridgeClient> bridge) { bridge_ = std::move(bridge); }
  kel::NetBridgeClient* bridge() const override { return bridge_.get(); }

  // The host's changes to the world that arrive while this client is still joining are kept and
  // applied once it enters (below); every other message is handled at once.
  void onPacket(const uint8_t* data, uint32_t length, uint8_t peer) override;

  // Connected: the drain and the join timeout start, then the hello goes out.
  void transportOpened() override;
  void start() override;
  // Only the host (peer 0) counts: the networked game ends with the reason's text.
  void onPeerLost(uint8_t peer, uint8_t reason) override;
  void shutdown() override;
  void send(const uint8_t* data, uint32_t length, uint8_t peer) override;

  // The client is in the downloaded world: the host hears it ([0][5], the player's two healths).
  // `enterWorld()` below is the game's way in; this form alone serves a client without a player.
  void enterWorld(uint8_t maxHealth, uint8_t health);

  State state() const { return state_; }
  const NetPlayerTable& players() const { return players_; }
  // The world the host sends (net/transfer/).
  WorldReceiver& worldReceiver() { return worldReceiver_; }
  // Clients other than this one downloading the world now.
  int32_t joiningCount() const { return joiningCount_; }

  // ---- What the host's messages are applied to ----
  // The local player (not owned; null: none yet).
  void setLocalPlayer(PlayerDesktopLocal* player) { localPlayer_ = player; }
  // Who keeps the character when a stack is handed over (empty: nobody).
  void setHandOverListener(std::function<void()> listener) { handOverListener_ = std::move(listener); }
  void itemHandedOver() override {
    if (handOverListener_) handOverListener_();
  }
  PlayerDesktopLocal* localPlayer() const { return localPlayer_; }
  // The token this host handed her character on an earlier entry, named in her hello (none: she
  // has none for it); and who keeps the token the host knows her by once it says (empty: nobody).
  void setHostToken(std::optional<wire::Token> token) { hostToken_ = token; }
  void setIdentityListener(std::function<void(const wire::Token&)> listener) { identityListener_ = std::move(listener); }
  // The interface (not owned; null: the null form).
  void setView(NetClientView* view) { view_ = view != nullptr ? view : &nullView_; }
  // The copy of another player; null for an empty entry, the local peer or an id past the table.
  PlayerClientDesktop* remotePlayer(uint8_t peer) const;
  // The local player for the local peer id, else that peer's copy; null for none.
  PlayerBase* playerOf(uint8_t peer) const;
  // The peer of another player's copy; none for the local player or a player of no entry.
  std::optional<uint8_t> peerOf(const PlayerBase& player) const;

  // The downloaded world is ready: the host hears that this client entered and what its player
  // looks like, holds and knows.
  void enterWorld();
  // The wait view shows whether another client is joining.
  void announceJoiningClient();

 protected:
  bool admits(uint8_t category) const override;
  void handleConnection(wire::WireIn& in, uint8_t peer) override;
  void handleWorldData(wire::WireIn& in, uint8_t peer) override;
  void handleWorldChanges(wire::WireIn& in, uint8_t peer) override;
  void handleEntities(wire::WireIn& in, uint8_t peer) override;
  void handlePlayers(wire::WireIn& in, uint8_t peer) override;
  void handleEffects(wire::WireIn& in, uint8_t peer) override;
  void handleBlockEntities(wire::WireIn& in, uint8_t peer) override;
  void handleTrades(wire::WireIn& in, uint8_t peer) override;
  void handleFishing(wire::WireIn& in, uint8_t peer) override;
  void handleCircuits(wire::WireIn& in, uint8_t peer) override;

 private:
  using Handler = void (NetClient::*)(wire::WireIn&);
  using LocalHandler = void (NetClient::*)(wire::WireIn&, PlayerDesktopLocal&);
  // The message's handler in the table, if it has one.
  void dispatch(const HandlerTable<Handler>& handlers, wire::WireIn& in) {
    if (const Handler handle = handlers.find(in.spec().id)) (this->*handle)(in);
  }
  using WorldHandler = void (NetClient::*)(wire::WireIn&, World&);
  // A change of the shown world: nothing before there is one.
  template <WorldHandler Handle>
  void inWorld(wire::WireIn& in) {
    if (World* shown = world()) (this->*Handle)(in, *shown);
  }
  // A message only the local player hears: nothing without one.
  template <LocalHandler Handle>
  void toLocalPlayer(wire::WireIn& in) {
    if (localPlayer_ != nullptr) (this->*Handle)(in, *localPlayer_);
  }

  void sendHello();
  void timedOut();
  void hostReady(wire::WireIn& in);
  void admitted(wire::WireIn& in);
  // [0][13]: the token and the name the host knows her character by.
  void identified(wire::WireIn& in);
  void departure(wire::WireIn& in);
  void refused(wire::WireIn& in);
  void joined(wire::WireIn& in);
  void playerEntry(wire::WireIn& in);
  void joining(wire::WireIn& in);
  void addRemotePlayer(uint8_t peer, std::string name);
  void removeEntry(uint8_t peer);
  void sendInventory(const PlayerDesktopLocal& player);
  // ---- client/client_held_changes.cpp ----
  // True when the message is a change of the world that arrived after the world's header and
  // before the entry: it is kept, since the cells it changes may already be on their way.
  bool holdForEntry(const uint8_t* data, uint32_t length, uint8_t peer);
  // The kept changes, in the order they came, on the whole world.
  void applyHeldChanges();

  // ---- client/client_players.cpp ----
  void playerCell(wire::WireIn& in);
  void playerState(wire::WireIn& in);
  void playerItem(wire::WireIn& in);
  void playerBuff(wire::WireIn& in);
  void playerMotion(wire::WireIn& in);
  void playerDeath(wire::WireIn& in);
  void chatLine(wire::WireIn& in);
  void playerFlag(wire::WireIn& in);
  // What only the local player hears.
  void spawnCell(wire::WireIn& in, PlayerDesktopLocal& player);
  void heldItemUsedUp(wire::WireIn& in, PlayerDesktopLocal& player);
  void heldToolWorn(wire::WireIn& in, PlayerDesktopLocal& player);
  void baitConsumed(wire::WireIn& in, PlayerDesktopLocal& player);
  void breath(wire::WireIn& in, PlayerDesktopLocal& player);
  void damage(wire::WireIn& in, PlayerDesktopLocal& player);
  void heal(wire::WireIn& in, PlayerDesktopLocal& player);
  void playerText(wire::WireIn& in, PlayerDesktopLocal& player);
  void portalDialog(wire::WireIn& in, PlayerDesktopLocal& player);
  void portalTravel(wire::WireIn& in, PlayerDesktopLocal& player);
  void restored(wire::WireIn& in, PlayerDesktopLocal& player);
  void bagContent(wire::WireIn& in, PlayerDesktopLocal& player);
  void playerPosition(wire::WireIn& in, PlayerDesktopLocal& player);

  // ---- client/client_entities.cpp ----
  // The networked entity of the shown world with the host's id; null when the client has none.
  RealEntity* networkedEntity(uint32_t id) const;
  Entity* entityById(uint32_t id) const;
  void entityRecord(wire::WireIn& in);
  void restEntity(wire::WireIn& in);
  void removeEntities(wire::WireIn& in);
  void moveEntity(wire::WireIn& in);
  void wakeEntity(wire::WireIn& in);
  void knockBackMob(wire::WireIn& in);
  void moveMob(wire::WireIn& in);
  void walkMob(wire::WireIn& in);
  void teleportPet(wire::WireIn& in);
  void moveBobber(wire::WireIn& in);
  void itemOffered(wire::WireIn& in);

  // ---- client/client_world.cpp ----
  void blockEdit(wire::WireIn& in, World& shown);
  void runningState(wire::WireIn& in, World& shown);
  void timedCellAdded(wire::WireIn& in, World& shown);
  void timedCellRemoved(wire::WireIn& in, World& shown);
  void circuitSetting(wire::WireIn& in, World& shown);
  void weather(wire::WireIn& in, World& shown);
  void playerAction(wire::WireIn& in);
  void cellEffect(wire::WireIn& in, PlayerDesktopLocal& local);
  void entityEffect(wire::WireIn& in, PlayerDesktopLocal& local);
  void cellSound(wire::WireIn& in);

  // ---- client/client_trades.cpp ----
  void tradeAsked(wire::WireIn& in, PlayerDesktopLocal& player);
  void tradeOpened(wire::WireIn& in, PlayerDesktopLocal& player);
  void tradeClosed(wire::WireIn& in, PlayerDesktopLocal& player);
  void tradeStackChanged(wire::WireIn& in, PlayerDesktopLocal& player);
  void tradeEvent(wire::WireIn& in, PlayerDesktopLocal& player);

  // ---- client/client_block_entities.cpp ----
  // Null when the cell is off the map.
  MapBlock* cellOf(const wire::Cell& cell) const;
  // False (and the host is asked to close it) while the inventory view is current.
  bool mayOpenContainer();
  void openChest(wire::WireIn& in);
  void openStable(wire::WireIn& in);
  void showSign(wire::WireIn& in);
  void openForge(wire::WireIn& in);
  void refreshForge(wire::WireIn& in);
  void openAlchemyLab(wire::WireIn& in);
  void labBrewed(wire::WireIn& in);
  void containerClosed(wire::WireIn& in);

  std::unique_ptr<kel::NetBridgeClient> bridge_;
  State state_ = kConnecting;
  int32_t joiningCount_ = 0;
  NetPlayerTable players_;
  WorldReceiver worldReceiver_{*this};
  PlayerDesktopLocal* localPlayer_ = nullptr;
  std::function<void()> handOverListener_;
  std::optional<wire::Token> hostToken_;
  std::function<void(const wire::Token&)> identityListener_;
  // Why the host named her otherwise, told once she is in the game; empty: it did not.
  std::string renamedNotice_;
  NullNetClientView nullView_;
  NetClientView* view_ = &nullView_;
  struct HeldChange {
    std::vector<uint8_t> bytes;
    uint8_t peer;
  };
  std::vector<HeldChange> heldChanges_;
};
