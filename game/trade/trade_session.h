#pragma once
// The host's record of one running trade between two players, and the operations on a game's
// running trades (its `TradeBook`, which the players are handed by their game). A session keeps
// pool copies of what each side offers (its four places), the ready flags and the confirmations;
// the offered stacks themselves stay in their owners' inventories until the trade completes, when
// each side moves its own (TradeAbstract). Every change is told to the other party through the
// player's trade operations (`PlayerBase::tradeEvent`, `tradeOfferChanged`, `tradeEnded`), so a
// client's player on the host sends it on and the host's own player updates its window.
//
// Telling a party may answer at once (the host's own window confirms while it is told both sides
// are ready), so an operation that ends the session takes it off the list before it tells anyone,
// and one that goes on after telling checks that the session is still running.
//
// Main thread only.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "content/items/item_ptr.h"
#include "game/trade/trade_codes.h"

class Item;
class PlayerBase;

class TradeSession {
 public:
  // `asking` is side A, `asked` side B.
  TradeSession(PlayerBase& asking, PlayerBase& asked) : a(&asking), b(&asked) {}

  bool involves(const PlayerBase& player) const { return a == &player || b == &player; }
  PlayerBase& otherThan(const PlayerBase& player) const { return a == &player ? *b : *a; }
  // The player's four places (A's unless the player is B).
  std::array<ItemPtr, trade::kOfferPlaces>& offersOf(const PlayerBase& player) {
    return a == &player ? offersA : offersB;
  }

  // How many of the stack's id and word the player's places offer together.
  uint32_t offeredCountOf(const PlayerBase& player, const Item& stack);
  // A pool copy of the item goes into the player's first free place; with none free nothing
  // changes. The ready flags and confirmations drop and the other party is told.
  void offerItem(PlayerBase& player, const Item& item);
  // The player's place holding an equal stack is emptied (the places do not move); no such place:
  // nothing changes. Otherwise as offerItem.
  void withdrawItem(PlayerBase& player, const Item& item);

  PlayerBase* a;
  PlayerBase* b;
  std::array<ItemPtr, trade::kOfferPlaces> offersA;
  std::array<ItemPtr, trade::kOfferPlaces> offersB;
  uint8_t readyA = 0;
  uint8_t readyB = 0;
  uint8_t bothReady = 0;
  uint8_t confirmedA = 0;
  uint8_t confirmedB = 0;

 private:
  void offersChanged(PlayerBase& player, bool offered, const Item& item);
};

// The running trade the player takes part in in its game; null for none.
TradeSession* findTradeSession(const PlayerBase& player);
// True while the session is on the list of the player's game. The session is only compared, never
// read: it may be gone already.
bool isTradeRunning(const PlayerBase& player, const TradeSession* session);
// A new session for the two players (A asked B), appended to the asking player's game's list;
// null when that player is in no game that trades.
TradeSession* createTrade(PlayerBase& asking, PlayerBase& asked);
// Takes the player's session off the list (its copies go back to the pool); the other player, or
// null when the player was not trading.
PlayerBase* removeTradeSession(const PlayerBase& player);
// The player's session ends without exchange: the other player is told the trade was cancelled
// and its window closes. Nothing when the player was not trading.
void cancelTradeOf(const PlayerBase& player);
// The player's session ends without exchange for both sides (its player died): each is told the
// trade was cancelled and each window closes, giving back what was offered in it.
void endTradeOf(const PlayerBase& player);

// The host's rules for an event a party sent (`trade::kReady` ... `kNoRoom`, `kCancel`); any
// other code is ignored. May end the session.
void handleTradeEvent(TradeSession& session, PlayerBase& player, uint8_t code);
