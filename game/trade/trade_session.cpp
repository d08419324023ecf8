// The host's sessions: offers, events and the list of running trades.
#include "game/trade/trade_session.h"

#include <algorithm>

#include "content/items/item.h"
#include "game/player/player_base.h"
#include "game/trade/trade_book.h"
#include "game/trade/trade_requests.h"
#include "game/trade/trade_stacks.h"

uint32_t TradeSession::offeredCountOf(const PlayerBase& player, const Item& stack) {
  uint32_t count = 0;
  for (const ItemPtr& offered : offersOf(player)) {
    if (offered != nullptr && offered->id == stack.id && offered->word == stack.word) count += offered->count;
  }
  return count;
}

void TradeSession::offerItem(PlayerBase& player, const Item& item) {
  auto& places = offersOf(player);
  auto place = std::find(places.begin(), places.end(), nullptr);
  if (place == places.end()) return;
  *place = copyStack(item);
  if (*place == nullptr) return;
  offersChanged(player, true, item);
}

// A client's offer is kept as the host's copy of its stack, whose wear or word may differ from the
// client's own: failing the same stack, a stack of the same item and count is the one withdrawn,
// and the other side is told of the stack it was shown.
void TradeSession::withdrawItem(PlayerBase& player, const Item& item) {
  auto& places = offersOf(player);
  auto place = std::find_if(places.begin(), places.end(),
                            [&](const ItemPtr& held) { return held != nullptr && sameStack(*held, item); });
  if (place == places.end()) {
    place = std::find_if(places.begin(), places.end(), [&](const ItemPtr& held) {
      return held != nullptr && held->id == item.id && held->count == item.count;
    });
  }
  if (place == places.end()) return;
  const ItemPtr withdrawn = std::move(*place);
  offersChanged(player, false, *withdrawn);
}

// A changed offer asks both sides to look again: whatever either had agreed to is void.
void TradeSession::offersChanged(PlayerBase& player, bool offered, const Item& item) {
  readyA = readyB = bothReady = 0;
  confirmedA = confirmedB = 0;
  otherThan(player).tradeOfferChanged(offered, &item);
}

TradeSession* findTradeSession(const PlayerBase& player) {
  if (player.trades() == nullptr) return nullptr;
  for (const auto& session : player.trades()->sessions()) {
    if (session->involves(player)) return session.get();
  }
  return nullptr;
}

bool isTradeRunning(const PlayerBase& player, const TradeSession* session) {
  if (session == nullptr || player.trades() == nullptr) return false;
  const auto& sessions = player.trades()->sessions();
  return std::any_of(sessions.begin(), sessions.end(),
                     [&](const auto& running) { return running.get() == session; });
}

TradeSession* createTrade(PlayerBase& asking, PlayerBase& asked) {
  if (asking.trades() == nullptr) return nullptr;
  auto& sessions = asking.trades()->sessions();
  sessions.push_back(std::make_unique<TradeSession>(asking, asked));
  return sessions.back().get();
}

namespace {

// A side of a trade that ended without an exchange reads that it was cancelled, and its window
// closes.
void endCancelled(PlayerBase& party) {
  party.tradeNotice(trade::kNoticeKind, trade::kTextCancelled, {});
  party.tradeEnded();
}

// The player's session, off the list and now the caller's; null when there is none.
std::unique_ptr<TradeSession> detachSession(const PlayerBase& player) {
  if (player.trades() == nullptr) return nullptr;
  auto& sessions = player.trades()->sessions();
  auto found = std::find_if(sessions.begin(), sessions.end(),
                            [&](const auto& session) { return session->involves(player); });
  if (found == sessions.end()) return nullptr;
  std::unique_ptr<TradeSession> session = std::move(*found);
  sessions.erase(found);
  return session;
}

void setReady(TradeSession& session, PlayerBase& player, bool ready) {
  const bool sideA = session.a == &player;
  (sideA ? session.readyA : session.readyB) = ready ? 1 : 0;
  if (!ready) session.bothReady = session.confirmedA = session.confirmedB = 0;
  session.otherThan(player).tradeEvent(ready ? trade::kReady : trade::kNotReady);
  if (!ready || !isTradeRunning(player, &session) || session.readyA == 0 || session.readyB == 0) return;
  session.bothReady = 1;
  PlayerBase& b = *session.b;
  session.a->tradeEvent(trade::kBothReady);
  // A's answer may already have ended the trade.
  if (isTradeRunning(b, &session) && session.bothReady != 0) b.tradeEvent(trade::kBothReady);
}

void confirm(TradeSession& session, PlayerBase& player) {
  // A confirmation counts only for the offers both sides last said they were ready with.
  if (session.bothReady == 0) return;
  (session.a == &player ? session.confirmedA : session.confirmedB) = 1;
  if (session.confirmedA == 0 || session.confirmedB == 0) return;
  std::unique_ptr<TradeSession> ended = detachSession(player);
  if (!ended->a->canGiveTrade(ended->offersA) || !ended->b->canGiveTrade(ended->offersB)) {
    // A side no longer carries what it offered: nothing changes hands.
    endCancelled(*ended->a);
    endCancelled(*ended->b);
    return;
  }
  ended->a->tradeExchanged(ended->offersA, ended->offersB);
  ended->b->tradeExchanged(ended->offersB, ended->offersA);
  ended->a->tradeEvent(trade::kCompleted);
  ended->b->tradeEvent(trade::kCompleted);
}

}  // namespace

PlayerBase* removeTradeSession(const PlayerBase& player) {
  std::unique_ptr<TradeSession> session = detachSession(player);
  return session != nullptr ? &session->otherThan(player) : nullptr;
}

void cancelTradeOf(const PlayerBase& player) {
  PlayerBase* other = removeTradeSession(player);
  if (other == nullptr) return;
  endCancelled(*other);
}

void endTradeOf(const PlayerBase& player) {
  std::unique_ptr<TradeSession> ended = detachSession(player);
  if (ended == nullptr) return;
  endCancelled(*ended->a);
  endCancelled(*ended->b);
}

void handleTradeEvent(TradeSession& session, PlayerBase& player, uint8_t code) {
  if (!isTradeRunning(player, &session) || !session.involves(player)) return;
  switch (code) {
    case trade::kReady: return setReady(session, player, true);
    case trade::kNotReady: return setReady(session, player, false);
    case trade::kConfirm: return confirm(session, player);
    case trade::kNoRoom: {
      std::unique_ptr<TradeSession> ended = detachSession(player);
      ended->a->tradeEvent(trade::kCancelledNoRoom);
      ended->b->tradeEvent(trade::kCancelledNoRoom);
      return;
    }
    case trade::kCancel: {
      std::unique_ptr<TradeSession> ended = detachSession(player);
      endCancelled(ended->otherThan(player));
      return;
    }
    default: return;
  }
}
