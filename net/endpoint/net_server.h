#pragma once
// The host's endpoint. It admits clients by their hello ([0][2]: room left and the same protocol
// version, else a refusal), tells every peer when a player leaves, and starts draining its
// messages only once the hosted world is ready, so that no message is handled before there is a
// world to apply it to (until then they wait in the queue).
//
// The host trusts no client. Every message is claimed for its sender before a handler reads it
// (host/sender_claim.h: its own peer bytes become the sender's id, another player it names must
// have an entry), so a request acts for the sender's own player and what the host forwards
// carries the sender's id. A client without an entry is heard only in its hello and its departure,
// an admitted one only in its join (category 0) until it has entered the world;
// a repeated hello is ignored; a departure, or a shutdown notice, from a client is that client
// leaving, and entry 0 (the host's own player) is never removed by a message. A client goes
// through the join once (host/join_stages.h). The handlers of the game's categories
// (host/host_*_handlers.cpp) check every slot, id and amount against its range and act only on the
// sender's own open container and pending offers. Every kind of message a client sends is held to
// her budget for the kind (host/request_budget.h) before it is handled, the hits on one mob to her
// weapon's swing (host/hit_pace.h) and her trade requests to one player to a cool-down
// (host/trade_askings.h); what the others are passed of her cosmetic messages is held to one
// budget more (host/cosmetic_budget.h). So no client's flood delays the others' world, chat and
// motion, or the host's frame.
//
// Main thread only.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "net/endpoint/handler_table.h"
#include "net/endpoint/host/cosmetic_budget.h"
#include "net/endpoint/host/hit_pace.h"
#include "net/endpoint/host/host_identities.h"
#include "net/endpoint/host/host_players_view.h"
#include "net/endpoint/host/join_stages.h"
#include "net/endpoint/host/request_budget.h"
#include "net/endpoint/host/trade_askings.h"
#include "net/endpoint/net_common.h"
#include "net/endpoint/net_player_table.h"
#include "net/players/player_server.h"
#include "net/transfer/world_sender.h"

class Entity;
class Item;
struct BlockEdit;
class LocalLogic;
class LogicBlock;
class MapBlock;
class MobEntity;
class NetPlayerServer;
class PlayerBase;
class StatsStore;
class TradeBook;

class NetServer : public NetCommon {
 public:
  // Every budget of the clients is refilled by `budgetClock`: the steady clock in the game; a test
  // that floods the host holds its own still, so that it counts what passed rather than timing it.
  NetServer(const kel::NetBridgeSetup& setup, std::string localName, NetNotices* notices = nullptr,
            const host::BudgetClock& budgetClock = host::steadyNow);
  ~NetServer() override;

  // A server endpoint with the platform's bridge for the setup, owned by the caller's game. The
  // caller then starts the bridge (`startWith`) with where to listen; without a bridge (a kind the
  // platform cannot make) the endpoint cannot start.
  static std::unique_ptr<NetServer> create(const kel::NetBridgeSetup& setup, std::string localName,
                           NetNotices* notices = nullptr);

  // Claims the checked message for its sender, then hands it to its category's handler.
  void onPacket(const uint8_t* data, uint32_t length, uint8_t peer) override;
  // The late messages whose budget came back are handled, then trade confirmations that waited
  // for the rest of their drain complete or end.
  void drained() override;

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
  // [2][32] / [2][33]: the player of `peer` gained or lost the potion effect; every client hears
  // it, that player's own client included.
  void sendBuff(uint8_t peer, uint16_t buff, bool gained);

  // ---- Trades (host/host_trade_handlers.cpp) ----
  // The asking player (the host's own or a client's) clicked another player: that player, when it
  // is in the game, alive, within a click's reach and free to trade, is asked; the asker reads whom
  // it asked, or that nobody here can be. The host's rules ask through it for their own player too.
  void requestTradeWith(PlayerBase& asking, PlayerBase* asked);
  // The player (the host's own or a client's) answers the request of the player at `askingPeer`;
  // nothing unless that player asked it.
  void answerTradeRequestOf(PlayerBase& answering, uint8_t answer, uint8_t askingPeer);

  uint8_t playerLimit() const { return playerLimit_; }
  const NetPlayerTable& players() const { return players_; }
  // What a joining client is sent of the hosted world (net/transfer/).
  WorldSender& worldSender() { return worldSender_; }
  // The host's statistics, where a client's entry counts for the host too (not owned; null: none).
  void setStats(StatsStore* stats) { stats_ = stats; }
  // Not owned, outliving the endpoint; null: the null form.
  void setPlayersView(HostPlayersView* view) { playersView_ = view != nullptr ? view : &noPlayersView_; }
  // The hosting game's trades, handed to each client's player as it enters.
  void setTrades(std::shared_ptr<TradeBook> trades) { trades_ = std::move(trades); }
  // The entry of a peer; null for none (every entry of the host's table is a NetPlayerServer).
  NetPlayerServer* entryOf(uint8_t peer) const;
  // The client's player that `player` is, by the table's entries; null for the host's own player
  // and for one no entry holds.
  PlayerServerDesktop* remoteOf(const PlayerBase* player) const;

  // ---- The join's gate, for the world transfer ----
  // True once for an admitted client that has not asked for the world before: it now receives
  // it. False for a peer without an entry and for every later request.
  bool takeWorldRequest(uint8_t peer) { return stages_.advance(peer, host::JoinStage::Admitted); }
  // True once for a client receiving the world: it now holds it whole and may enter.
  bool takeWorldReceived(uint8_t peer) { return stages_.advance(peer, host::JoinStage::ReceivingWorld); }
  host::JoinStage joinStage(uint8_t peer) const { return stages_.of(peer); }

 protected:
  void handleConnection(wire::WireIn& in, uint8_t peer) override;
  void handlePlayers(wire::WireIn& in, uint8_t peer) override;
  void handleWorldChanges(wire::WireIn& in, uint8_t peer) override;
  void handleEntities(wire::WireIn& in, uint8_t peer) override;
  void handleEffects(wire::WireIn& in, uint8_t peer) override;
  void handleBlockEntities(wire::WireIn& in, uint8_t peer) override;
  void handleTrades(wire::WireIn& in, uint8_t peer) override;
  void handleFishing(wire::WireIn& in, uint8_t peer) override;
  void handleCircuits(wire::WireIn& in, uint8_t peer) override;

 private:
  // A leaving player lets go of what it held in the world: its open container (else its trade),
  // its pet and its fishing line, so that nothing stays taken by a player who is gone.
  void leaveWorldBehind(PlayerBase& player);
  // ---- The join (category 0), each message by its id; the sender need not be in the game yet ----
  using PeerHandler = void (NetServer::*)(wire::WireIn&, uint8_t);
  void admit(wire::WireIn& in, uint8_t peer);
  void enter(wire::WireIn& in, uint8_t peer);
  void peerLeaves(wire::WireIn& in, uint8_t peer);
  void worldRequest(wire::WireIn& in, uint8_t peer);
  void worldProgress(wire::WireIn& in, uint8_t peer);
  void worldComplete(wire::WireIn& in, uint8_t peer);
  bool mayFly(const PlayerBase& player) const;
  PlayerBody::Pace paceOf(const PlayerServerDesktop& player) const;
  // The sender's player once it is in the game; null before (its requests are then ignored).
  PlayerBase* actor(uint8_t peer) const;
  PlayerServerDesktop* remoteActor(uint8_t peer) const;
  // The hosted world's rules where they are the game's own (null in a world without them).
  LocalLogic* localRules() const;
  // The checked message, within its sender's budget, claimed for her and handed to its handler.
  void handleChecked(const wire::MessageSpec& spec, std::span<const uint8_t> bytes, uint8_t peer);
  // Her messages past their budget that wait for it (the latest of a kind that keeps one).
  void handleLate();
  void confirmWaiting();
  // The received (claimed) message to every client but its sender.
  void forward(const wire::WireIn& in, uint8_t sender);
  // The same for a cosmetic message, while its sender's budget lasts (host/cosmetic_budget.h).
  void forwardCosmetic(const wire::WireIn& in, uint8_t sender);
  // ---- The handlers of a client's messages, each by its id (host/host_*_handlers.cpp) ----
  using PlayerHandler = void (NetServer::*)(wire::WireIn&, PlayerServerDesktop&);
  using RulesHandler = void (NetServer::*)(wire::WireIn&, PlayerServerDesktop&, LocalLogic&);
  // The message's handler in the table, for the sender's player once it is in the game.
  void dispatch(const HandlerTable<PlayerHandler>& handlers, wire::WireIn& in, uint8_t peer);
  // A request the hosted world's rules carry out: nothing in a world without them.
  template <RulesHandler Handle>
  void withRules(wire::WireIn& in, PlayerServerDesktop& player) {
    if (LocalLogic* rules = localRules()) (this->*Handle)(in, player, *rules);
  }
  // Category 2 (host_player_handlers.cpp).
  void playerMotion(wire::WireIn& in, PlayerServerDesktop& player);
  void look(wire::WireIn& in, PlayerServerDesktop& player);
  void respawnRequest(wire::WireIn& in, PlayerServerDesktop& player);
  void heldItem(wire::WireIn& in, PlayerServerDesktop& player);
  void wornItem(wire::WireIn& in, PlayerServerDesktop& player);
  wire::PooledItem ownStack(PlayerServer& player, const Item* named) const;
  wire::PooledItem wearable(PlayerServerDesktop& player, const Item& named, uint8_t part, uint8_t index) const;
  // The others hear what the worn place holds now.
  void tellWorn(PlayerServerDesktop& player, uint8_t part, uint8_t index);
  // What she wears and her copy no longer holds comes off.
  void unwearWhatLeft(PlayerServerDesktop& player);
  // The same for every joined player whose copy of her items changed since the last look.
  void unwearWhereCopiesChanged();
  void effect(wire::WireIn& in, PlayerServerDesktop& player);
  void buffRequest(wire::WireIn& in, PlayerServerDesktop& player);
  void damage(wire::WireIn& in, PlayerServerDesktop& player);
  void chat(wire::WireIn& in, PlayerServerDesktop& player);
  void command(wire::WireIn& in, PlayerServerDesktop& player);
  void playerMode(wire::WireIn& in, PlayerServerDesktop& player);
  void craftKnowledge(wire::WireIn& in, PlayerServerDesktop& player);
  void learnEntry(wire::WireIn& in, PlayerServerDesktop& player);
  // The category-2 requests only a client sends: its player's actions (host_requests.cpp).
  void signalEntities(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules);
  void throwItem(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules);
  void shoot(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules);
  void useBlock(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules);
  void putOnShelf(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules);
  void consumeItem(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules);
  void captureMob(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules);
  void hitMob(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules);
  void dropItem(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules);
  void inventory(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules);
  void craft(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules);
  void fillFirework(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules);
  void openBag(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules);
  void restoreRequest(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules);
  void portal(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules);
  void refreshPet(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules);
  // The trinket names the pet she has out: it is hers already.
  bool calledAlready(const PlayerServer& player, const Item* trinket) const;
  // Block entities (host_container_handlers.cpp). A slot message of a chest, forge or alchemy
  // lab: the sender's open container of that kind on the cell, the slot in its range.
  template <class Kind>
  void setContainerSlot(wire::WireIn& in, PlayerServerDesktop& player);
  void forgeSlot(wire::WireIn& in, PlayerServerDesktop& player);
  void chestPage(wire::WireIn& in, PlayerServerDesktop& player);
  void stableFeed(wire::WireIn& in, PlayerServerDesktop& player);
  void signEdit(wire::WireIn& in, PlayerServerDesktop& player);
  void placeSign(wire::WireIn& in, PlayerServerDesktop& player);
  void brew(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules);
  void closeContainer(wire::WireIn& in, PlayerServerDesktop& player);
  // World changes and effects (host_world_handlers.cpp).
  void blockEdit(wire::WireIn& in, PlayerServerDesktop& player);
  void clockMode(wire::WireIn& in, PlayerServerDesktop& player);
  void playerAction(wire::WireIn& in, PlayerServerDesktop& player);
  void cellEffect(wire::WireIn& in, PlayerServerDesktop& player);
  // Trades (host_trade_handlers.cpp).
  void tradeRequest(wire::WireIn& in, PlayerServerDesktop& player);
  void tradeAnswer(wire::WireIn& in, PlayerServerDesktop& player);
  void tradeCancel(wire::WireIn& in, PlayerServerDesktop& player);
  void tradeOffer(wire::WireIn& in, PlayerServerDesktop& player);
  void tradeWithdraw(wire::WireIn& in, PlayerServerDesktop& player);
  void tradeEvent(wire::WireIn& in, PlayerServerDesktop& player);
  void confirmAfterDrain(uint8_t peer);
  PlayerBase* firstFreeOnCell(const PlayerBase& asking, wire::Cell cell) const;
  // The player's items follow a container slot's change; false (nothing moved, the client's stack
  // handed back) when the player does not carry what it put there.
  bool moveThroughSlot(PlayerServer& player, const Item* old, wire::PooledItem& put);
  std::unique_ptr<PlayerServerDesktop> makePlayer(uint8_t peer);
  // Where an admitted peer's player stands and respawns: what its world's header tells it.
  PlayerCells joiningCells(uint8_t peer) const;
  // The names of the players with an entry now, the host's own among them.
  std::vector<std::string> presentNames() const;
  // One [0][7] per player in the game, the receiver's own marked, to the receiver.
  void sendPlayerList(uint8_t receiver);
  // ---- What a client's requests need (host/host_requests.cpp and its neighbours) ----
  // The cell of the hosted world within `reach` cells of the player; null otherwise.
  MapBlock* cellNear(const PlayerBase& player, const wire::Cell& at, int reach) const;
  // The live mob of the id within a blow's reach of the player; null otherwise.
  MobEntity* mobNear(const PlayerBase& player, uint32_t id) const;
  // The block use her own game asked for, judged and run for her copy on the host.
  void useBlockFor(PlayerServerDesktop& player, MapBlock& cell, uint8_t layer);
  // Her answer to a capture's offer: "taken" ends the capture the rules began for her, when the
  // rule still finds her collar; otherwise the mob stays free and she is given nothing.
  void captureAnswered(PlayerServerDesktop& player, MobEntity& mob, bool taken);
  void setClockMode(uint8_t value);
  // ---- A client's block edits (host/host_block_edits.cpp) ----
  // Why the host will not make the client's edit (empty: the rules told the player already); null
  // when it will (a placement is then marked to spend the held item).
  const char* clientEditRefusal(BlockEdit& edit, PlayerBase& player) const;
  bool copyPays(const Item* held, const PlayerBase& player) const;
  // The edit made through the hosted world's rules, or refused and the client told why.
  void editBlockFor(PlayerBase& player, BlockEdit edit);
  // ---- A newcomer meets the players in the game (host/host_newcomer.cpp) ----
  bool isInGame(uint8_t peer) const;
  void introducePlayersTo(uint8_t newcomer);
  void introduce(const PlayerBase& player, uint8_t peer, uint8_t newcomer);
  // ---- Trades (host/host_trade_handlers.cpp) ----
  // A player in the game at the peer: the host's own or an entered client's; null otherwise.
  PlayerBase* presentPlayer(uint8_t peer) const;
  bool withinTradeReach(const PlayerBase& asking, const PlayerBase& asked) const;
  const std::string& nameOf(uint8_t peer) const;
  // The peer whose present player it is; none for a player of no entry.
  std::optional<uint8_t> presentPeerOf(const PlayerBase& player) const;

  uint8_t playerLimit_;
  PlayerBase* hostPlayer_ = nullptr;
  std::unique_ptr<kel::NetBridgeServer> bridge_;
  NetPlayerTable players_;
  host::JoinStages stages_;
  // The peers whose trade confirmation waits for the end of the drain it came in.
  std::vector<uint8_t> waitingConfirms_;
  // Who each character is, by the token the host handed her, and what she carried when she left:
  // coming back she takes it again instead of declaring afresh (else each return would add her
  // inventory), and nobody else under her name does.
  host::Identities identities_;
  // What of each client's effects, looks, modes and the like the others are passed.
  host::CosmeticBudget cosmetics_;
  // How much of each kind of message each client is heard in, and her late ones by peer and id.
  host::RequestBudget budget_;
  std::map<std::pair<uint8_t, uint8_t>, std::vector<uint8_t>> late_;
  host::HitPace hits_;
  host::TradeAskings tradeAskings_;
  WorldSender worldSender_{*this};
  NullHostPlayersView noPlayersView_;
  HostPlayersView* playersView_ = &noPlayersView_;
  std::shared_ptr<TradeBook> trades_;
  StatsStore* stats_ = nullptr;
  std::vector<uint8_t> claimed_;  // the message a handler reads, claimed for its sender
};
