// The host's handling of trades (category 11). A client acts for its own player only: its request
// asks the player it clicked (by peer, present and within a click's reach), its answer counts only
// for a request that player was sent (the asking player's peer must have an entry, the claim made
// the answering one the sender), and its offers, withdrawals and events reach only the session its
// own player takes part in. A stack it offers must be an item the content knows, and the player
// must carry it beyond what it already offers; what the other side sees and receives is the host's
// copy of it, and the confirmation checks that the copy still holds it (game/trade).

#include <optional>
#include <span>
#include <vector>

#include "content/items/item.h"
#include "game/player/player_base.h"
#include "game/trade/trade_codes.h"
#include "game/trade/trade_requests.h"
#include "game/trade/trade_session.h"
#include "net/endpoint/host/host_bounds.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/players/player_messages.h"
#include "net/wire/wire_in.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {
constexpr const char* kOfferOfNone = "An offer is at least one of a thing.";
}  // namespace

PlayerBase* NetServer::presentPlayer(uint8_t peer) const {
  return peer == kel::NET_HOST_PEER ? hostPlayer_ : actor(peer);
}

std::optional<uint8_t> NetServer::presentPeerOf(const PlayerBase& player) const {
  for (size_t peer = 0; peer < players_.size(); ++peer) {
    if (presentPlayer(static_cast<uint8_t>(peer)) == &player) return static_cast<uint8_t>(peer);
  }
  return std::nullopt;
}

const std::string& NetServer::nameOf(uint8_t peer) const {
  static const std::string none;
  const NetPlayerServer* entry = entryOf(peer);
  return entry != nullptr ? entry->name() : none;
}

// Near enough to be clicked as a block is: a request from across the map is no click.
bool NetServer::withinTradeReach(const PlayerBase& asking, const PlayerBase& asked) const {
  const MapBlock* cell = asked.currentMapBlock();
  return world() != nullptr && cell != nullptr &&
         host::cellWithinReach(asking, *cell, world()->map().width(), host::kToolReach);
}

void NetServer::requestTradeWith(PlayerBase& asking, PlayerBase* asked) {
  const std::optional<uint8_t> askingPeer = presentPeerOf(asking);
  if (!askingPeer) return;  // not a player of this game
  const std::optional<uint8_t> askedPeer = asked != nullptr ? presentPeerOf(*asked) : std::nullopt;
  const bool free = askedPeer && asked != &asking && asked->dead == 0 && withinTradeReach(asking, *asked) &&
                    findTradeSession(*asked) == nullptr && findTradeSession(asking) == nullptr;
  if (!free) return asking.tradeNotice(trade::kRefusalKind, trade::kTextNobodyHere, {});
  // Asked or declined a moment ago: the dialog is not opened on her again yet.
  const auto now = budget_.clock()();
  if (!tradeAskings_.mayAsk(*askingPeer, *askedPeer, now)) return;
  tradeAskings_.passedOn(*askingPeer, *askedPeer, now);
  recordTradeRequest(asking, *asked);
  asked->tradeMessage(*askingPeer, *askedPeer, nameOf(*askingPeer));
  asking.tradeNotice(trade::kNoticeKind, trade::kTextRequestSent, nameOf(*askedPeer));
}

void NetServer::answerTradeRequestOf(PlayerBase& answering, uint8_t answer, uint8_t askingPeer) {
  PlayerBase* asking = presentPlayer(askingPeer);
  const std::optional<uint8_t> peer = presentPeerOf(answering);
  if (asking == nullptr || !peer) return;
  if (hasTradeRequest(*asking, answering)) {
    if (answer == trade::kAccept) tradeAskings_.accepted(askingPeer, *peer);
    else tradeAskings_.declined(askingPeer, *peer, budget_.clock()());
  }
  answerTradeRequest(answer, *asking, answering, nameOf(*peer), nameOf(askingPeer));
}

void NetServer::handleTrades(wire::WireIn& in, uint8_t peer) {
  // The game's trade codes are the category's ids: an answer and an event pass the id on as it is.
  static constexpr HandlerTable<PlayerHandler> kHandlers{
      {wire::TradeMsg::TradeRequest, &NetServer::tradeRequest},
      {wire::TradeMsg::TradeAccepted, &NetServer::tradeAnswer},
      {wire::TradeMsg::TradeRefused, &NetServer::tradeAnswer},
      {wire::TradeMsg::TradeBusy, &NetServer::tradeAnswer},
      {wire::TradeMsg::TradeCancel, &NetServer::tradeCancel},
      {wire::TradeMsg::TradeOffer, &NetServer::tradeOffer},
      {wire::TradeMsg::TradeWithdraw, &NetServer::tradeWithdraw},
      {wire::TradeMsg::TradeReady, &NetServer::tradeEvent},
      {wire::TradeMsg::TradeNotReady, &NetServer::tradeEvent},
      {wire::TradeMsg::TradeBothReady, &NetServer::tradeEvent},
      {wire::TradeMsg::TradeConfirm, &NetServer::tradeEvent},
      {wire::TradeMsg::TradeNoRoom, &NetServer::tradeEvent},
      {wire::TradeMsg::TradeBothConfirmed, &NetServer::tradeEvent},
  };
  dispatch(kHandlers, in, peer);
}

// ---- The asked player is one in the game (presentPlayer); a stack one the content knows. ----

// The player the client names after the cell, or, when it names none (the shorter request every
// client speaks), the first free player standing on the cell.
void NetServer::tradeRequest(wire::WireIn& in, PlayerServerDesktop& player) {
  const wire::Cell cell = in.cell();
  const std::span<const uint8_t> named = in.rest();
  if (!named.empty()) return requestTradeWith(player, presentPlayer(named.front()));
  requestTradeWith(player, firstFreeOnCell(player, cell));
}

PlayerBase* NetServer::firstFreeOnCell(const PlayerBase& asking, wire::Cell cell) const {
  const MapBlock* clicked = world() != nullptr ? world()->cellAt(cell.column, cell.row) : nullptr;
  if (clicked == nullptr) return nullptr;
  for (size_t peer = 0; peer < players_.size(); ++peer) {
    PlayerBase* there = presentPlayer(static_cast<uint8_t>(peer));
    if (there == nullptr || there == &asking || there->dead != 0 || there->currentMapBlock() != clicked) continue;
    if (findTradeSession(*there) == nullptr) return there;
  }
  return nullptr;
}

void NetServer::tradeAnswer(wire::WireIn& in, PlayerServerDesktop& player) {
  answerTradeRequestOf(player, in.spec().id, in.otherPeer());
}

void NetServer::tradeCancel(wire::WireIn&, PlayerServerDesktop& player) { cancelTradeOf(player); }

// Only what the player carries, beyond what it offers already, may be offered: the other side
// would receive every offered stack. What is offered is the host's copy of the player's item, so
// a client cannot dress up what it holds (its wear, its word) on the way to the other side.
void NetServer::tradeOffer(wire::WireIn& in, PlayerServerDesktop& player) {
  TradeSession* session = findTradeSession(player);
  if (session == nullptr) return;
  const Item sent = in.item();
  // A stack of none is no offer: made fit to use it would be one unit.
  if (!sent.isNone() && sent.count == 0) return player.showMessage(trade::kRefusalKind, kOfferOfNone);
  const wire::PooledItem item = wire::itemFromWire(sent);
  if (item == nullptr) return;
  if (world() != nullptr && world()->isCreative()) return session->offerItem(player, *item);
  // Her stack is the one she names (its id and word): another stack of the id is not offered for it.
  const uint64_t wanted = uint64_t{session->offeredCountOf(player, *item)} + item->count;
  const bool carried = player.items().countWithWord(item->id, item->word) >= wanted;
  const ItemPtr own = carried ? player.items().peekNamed(*item, item->count) : nullptr;
  if (own == nullptr) return player.showMessage(trade::kRefusalKind, player.notHeldText());
  session->offerItem(player, *own);
}

void NetServer::tradeWithdraw(wire::WireIn& in, PlayerServerDesktop& player) {
  TradeSession* session = findTradeSession(player);
  const wire::PooledItem item = session != nullptr ? wire::itemFromWire(in) : nullptr;
  if (item != nullptr) session->withdrawItem(player, *item);
}

void NetServer::tradeEvent(wire::WireIn& in, PlayerServerDesktop& player) {
  TradeSession* session = findTradeSession(player);
  if (session == nullptr) return;
  if (in.spec().id == trade::kConfirm) return confirmAfterDrain(player.peer());
  handleTradeEvent(*session, player, in.spec().id);
}

// A confirmation waits for the rest of what arrived with it: a side whose departure came in the
// same drain has left before anything changes hands, and her leaving cancelled the trade for
// both. Only players still present complete it.
void NetServer::confirmAfterDrain(uint8_t peer) { waitingConfirms_.push_back(peer); }

void NetServer::confirmWaiting() {
  std::vector<uint8_t> confirms;
  confirms.swap(waitingConfirms_);
  for (uint8_t peer : confirms) {
    PlayerBase* player = joinStage(peer) == host::JoinStage::Entered ? presentPlayer(peer) : nullptr;
    TradeSession* session = player != nullptr ? findTradeSession(*player) : nullptr;
    if (session == nullptr) continue;
    PlayerBase& other = session->otherThan(*player);
    if (!presentPeerOf(other)) {
      cancelTradeOf(other);
      continue;
    }
    handleTradeEvent(*session, *player, trade::kConfirm);
  }
}
