// The host's handling of trades (category 11). A client acts for its own player only: its request
// asks the player it clicked, its answer counts only for a request that player was sent (the
// asking player's peer must have an entry, the claim made the answering one the sender), and its
// offers, withdrawals and events reach only the session its own player takes part in. A stack it
// offers must be an item the content knows.

#include <optional>

#include "content/items/item.h"
#include "game/player/player_base.h"
#include "game/trade/trade_codes.h"
#include "game/trade/trade_requests.h"
#include "game/trade/trade_session.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/wire/wire_in.h"
#include "world/cells/map_block.h"
#include "world/world.h"

namespace {
constexpr uint8_t kRequest = 111;
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

void NetServer::requestTradeAt(PlayerBase& asking, const MapBlock* cell) {
  const std::optional<uint8_t> found = presentPeerOf(asking);
  if (!found) return;  // not a player of this game
  const uint8_t askingPeer = *found;
  for (size_t i = 0; cell != nullptr && i < players_.size(); ++i) {
    const auto peer = static_cast<uint8_t>(i);
    PlayerBase* asked = presentPlayer(peer);
    if (asked == nullptr || asked == &asking || asked->dead != 0) continue;
    if (asked->cellX != cell->x || asked->cellY != cell->y) continue;
    if (findTradeSession(*asked) != nullptr || findTradeSession(asking) != nullptr) continue;
    recordTradeRequest(asking, *asked);
    asked->tradeMessage(askingPeer, peer, nameOf(askingPeer));
    asking.tradeNotice(trade::kNoticeKind, trade::kTextRequestSent, nameOf(peer));
    return;
  }
  asking.tradeNotice(trade::kRefusalKind, trade::kTextNobodyHere, {});
}

void NetServer::answerTradeRequestOf(PlayerBase& answering, uint8_t answer, uint8_t askingPeer) {
  PlayerBase* asking = presentPlayer(askingPeer);
  const std::optional<uint8_t> peer = presentPeerOf(answering);
  if (asking == nullptr || !peer) return;
  answerTradeRequest(answer, *asking, answering, nameOf(*peer), nameOf(askingPeer));
}

void NetServer::handleTrades(wire::WireIn& in, uint8_t peer) {
  PlayerBase* player = actor(peer);
  if (player == nullptr) return;
  const uint8_t id = in.spec().id;
  switch (id) {
    case kRequest: {
      const wire::Cell cell = in.cell();
      const MapBlock* clicked = world() != nullptr ? world()->cellAt(cell.column, cell.row) : nullptr;
      return requestTradeAt(*player, clicked);
    }
    case trade::kAccept:
    case trade::kRefuse:
    case trade::kBusy:
      return answerTradeRequestOf(*player, id, in.otherPeer());
    case trade::kCancel: return cancelTradeOf(*player);
    default: break;
  }
  TradeSession* session = findTradeSession(*player);
  if (session == nullptr) return;
  if (id == trade::kOffered || id == trade::kWithdrawn) {
    const wire::PooledItem item = wire::itemFromWire(in);
    if (item == nullptr) return;
    if (id == trade::kOffered) {
      session->offerItem(*player, *item);
    } else {
      session->withdrawItem(*player, *item);
    }
    return;
  }
  handleTradeEvent(*session, *player, id);
}
