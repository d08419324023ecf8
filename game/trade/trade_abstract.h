#pragma once
// One player's side of the trade window: what the player offers (the inventory slots it took the
// stacks from, with a copy of each stack as it was offered), the window's copies of what the other
// side offers, and both ready flags. The player's actions go to the host through `sendEvent`,
// `sendOffer` and `sendWithdraw` (`TradeLocal` straight into the host's session, `TradeRemote`
// as messages); the host's answers come back through `otherOffered`, `otherWithdrew` and
// `onTradeEvent`.
//
// Offered stacks stay in their slots until the trade completes. Before this side confirms, each
// offer is compared with what its slot holds now: a stack that changed or went makes this side
// answer "no room" and the host cancels the trade, so neither side gives what it no longer has.
// On completion this side takes its offers out of their slots and stores what it received; a
// received stack that finds no slot falls at the player's feet. Nothing is created or lost.
//
// Owned by the player's inventory while the window is open. Main thread only.

#include <array>
#include <cstdint>
#include <string>

#include "content/items/item_ptr.h"
#include "game/inventory/slot_ref.h"
#include "game/trade/trade_codes.h"

class Item;
class Player;

class TradeAbstract {
 public:
  // The window's state as the interface shows it: 0 none ready, 1 own, 2 other, 3 both.
  enum State : uint8_t { kNoneReady = 0, kOwnReady = 1, kOtherReady = 2, kBothReadyState = 3 };

  TradeAbstract(Player& player, std::string partner);
  virtual ~TradeAbstract();
  TradeAbstract(const TradeAbstract&) = delete;
  TradeAbstract& operator=(const TradeAbstract&) = delete;

  // ---- The player's actions ----
  // The slot's stack goes into the first free own place (none free, an empty slot, a slot already
  // offered or one of an area the player does not own: false, nothing changes); both flags drop.
  bool offer(SlotRef slot);
  // The place that offers the slot is emptied and the later ones move down; both flags drop.
  bool withdraw(SlotRef slot);
  void setReady(bool ready);
  virtual void sendEvent(uint8_t code) = 0;

  // ---- The host's answers ----
  void otherOffered(const Item& item);
  void otherWithdrew(const Item& item);
  // True when the window closes with this event (the trade completed or was cancelled).
  bool onTradeEvent(uint8_t code);

  // ---- What the window shows ----
  const std::string& partner() const { return partner_; }
  // The slot an own place offers (kind None: empty place).
  SlotRef ownOffer(int place) const { return own_[static_cast<size_t>(place)].slot; }
  // The inventory's stack in the slot an own place offers; null for an empty place.
  Item* ownOfferedItem(int place) const;
  const Item* otherOffer(int place) const { return other_[static_cast<size_t>(place)].get(); }
  bool ownReady() const { return ownReady_ != 0; }
  bool otherReady() const { return otherReady_ != 0; }
  State state() const { return static_cast<State>((ownReady_ != 0 ? 1 : 0) | (otherReady_ != 0 ? 2 : 0)); }

  // Whether the inventory can take the other side's stacks once this side's offers are gone.
  bool hasRoom() const;
  // Every own offer still sits in its slot as it was offered.
  bool offersStillHeld() const;

 protected:
  virtual void sendOffer(const Item& item) = 0;
  virtual void sendWithdraw(const Item& item) = 0;
  Player& player() const { return player_; }

 private:
  struct OwnOffer {
    SlotRef slot;
    ItemPtr asOffered;
  };
  int ownCount() const;
  int otherCount() const;
  void changed();
  void complete();

  Player& player_;
  std::string partner_;
  std::array<OwnOffer, trade::kOfferPlaces> own_;
  std::array<ItemPtr, trade::kOfferPlaces> other_;
  uint8_t ownReady_ = 0;
  uint8_t otherReady_ = 0;
};
