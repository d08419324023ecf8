// One side's trade window: offers, the other side's copies, the reactions to the host's events and
// the exchange on completion.
#include "game/trade/trade_abstract.h"

#include <algorithm>

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "game/inventory/inventory.h"
#include "game/player/player.h"
#include "game/trade/trade_stacks.h"
#include "world/rules/game.h"

TradeAbstract::TradeAbstract(Player& player, std::string partner)
    : player_(player), partner_(std::move(partner)) {}

TradeAbstract::~TradeAbstract() = default;

Item* TradeAbstract::ownOfferedItem(int place) const {
  const SlotRef slot = ownOffer(place);
  return slot.isNone() ? nullptr : player_.inventory->slotItem(slot);
}

int TradeAbstract::ownCount() const {
  return static_cast<int>(std::count_if(own_.begin(), own_.end(), [](const OwnOffer& o) { return !o.slot.isNone(); }));
}

int TradeAbstract::otherCount() const {
  return static_cast<int>(std::count_if(other_.begin(), other_.end(), [](const ItemPtr& o) { return o != nullptr; }));
}

void TradeAbstract::changed() {
  ownReady_ = otherReady_ = 0;
  player_.tradeWindowChanged();
}

namespace {

// The areas whose stacks are the player's own to give: not a container's, not the catalogue's
// (whose entries are copies for the asking) and not a trade's.
bool isOwnArea(SlotKind kind) {
  switch (kind) {
    case SlotKind::Backpack:
    case SlotKind::Quick:
    case SlotKind::CraftGrid:
    case SlotKind::Single:
    case SlotKind::Equipment:
    case SlotKind::Equipment2:
    case SlotKind::Trinket: return true;
    default: return false;
  }
}

}  // namespace

bool TradeAbstract::offer(SlotRef slot) {
  if (!isOwnArea(slot.kind)) return false;
  const Item* item = player_.inventory->slotItem(slot);
  if (item == nullptr || item->isNone()) return false;
  if (std::any_of(own_.begin(), own_.end(), [&](const OwnOffer& o) { return o.slot == slot; })) return false;
  auto place = std::find_if(own_.begin(), own_.end(), [](const OwnOffer& o) { return o.slot.isNone(); });
  if (place == own_.end()) return false;
  place->asOffered = copyStack(*item);
  if (place->asOffered == nullptr) return false;
  place->slot = slot;
  changed();
  sendOffer(*place->asOffered);
  return true;
}

bool TradeAbstract::withdraw(SlotRef slot) {
  auto place = std::find_if(own_.begin(), own_.end(), [&](const OwnOffer& o) { return !slot.isNone() && o.slot == slot; });
  if (place == own_.end()) return false;
  ItemPtr offered = std::move(place->asOffered);
  std::move(place + 1, own_.end(), place);
  own_.back() = OwnOffer{};
  changed();
  sendWithdraw(*offered);
  return true;
}

void TradeAbstract::setReady(bool ready) {
  ownReady_ = ready ? 1 : 0;
  player_.tradeWindowChanged();
  sendEvent(ready ? trade::kReady : trade::kNotReady);
}

void TradeAbstract::otherOffered(const Item& item) {
  auto place = std::find(other_.begin(), other_.end(), nullptr);
  if (place != other_.end()) *place = copyStack(item);
  changed();
}

void TradeAbstract::otherWithdrew(const Item& item) {
  auto place = std::find_if(other_.begin(), other_.end(),
                            [&](const ItemPtr& held) { return held != nullptr && sameStack(*held, item); });
  if (place != other_.end()) {
    place->reset();
    std::rotate(place, place + 1, other_.end());
  }
  changed();
}

bool TradeAbstract::offersStillHeld() const {
  return std::all_of(own_.begin(), own_.end(), [&](const OwnOffer& o) {
    if (o.slot.isNone()) return true;
    const Item* now = player_.inventory->slotItem(o.slot);
    return now != nullptr && sameStack(*now, *o.asOffered);
  });
}

bool TradeAbstract::hasRoom() const {
  const Inventory& inventory = *player_.inventory;
  const SlotRef lastQuick{SlotKind::Quick, static_cast<uint8_t>(inventory.quickSlotsInUse() - 1), 0};
  const bool lastKept = inventory.keepsLastSlotEmpty() &&
                        std::any_of(own_.begin(), own_.end(), [&](const OwnOffer& o) { return o.slot == lastQuick; });
  const int need = (lastKept ? 1 : 0) - ownCount() + otherCount();
  return need < 1 || inventory.countFreeSlots() >= static_cast<uint32_t>(need);
}

bool TradeAbstract::onTradeEvent(uint8_t code) {
  switch (code) {
    case trade::kReady:
    case trade::kNotReady:
      otherReady_ = code == trade::kReady ? 1 : 0;
      player_.tradeWindowChanged();
      return false;
    case trade::kBothReady:
      sendEvent(offersStillHeld() && hasRoom() ? trade::kConfirm : trade::kNoRoom);
      return false;
    case trade::kCompleted:
      complete();
      return true;
    case trade::kCancelledNoRoom:
      player_.tradeNotice(trade::kNoticeKind, trade::kTextCancelledNoRoom, partner_);
      return true;
    default: return false;
  }
}

// Own offers leave their slots (only as they were offered), then the received stacks are stored;
// a stack with no slot falls at the player's feet.
void TradeAbstract::complete() {
  Inventory& inventory = *player_.inventory;
  for (OwnOffer& o : own_) {
    const Item* now = o.slot.isNone() ? nullptr : inventory.slotItem(o.slot);
    if (now != nullptr && sameStack(*now, *o.asOffered)) inventory.takeSlot(o.slot);
  }
  for (ItemPtr& received : other_) {
    if (received == nullptr) continue;
    bool newSlot = false;
    if (!inventory.findSlotFor(received.get(), newSlot).isNone()) continue;
    // No game to drop it in: back to the pool.
    if (player_.game != nullptr) player_.game->dropItem(std::move(received));
    received.reset();
  }
  player_.heldItemChanged(player_.heldItem());
  player_.recordStat(trade::kStatTraded, 0);
  player_.tradeNotice(trade::kNoticeKind, trade::kTextCompleted, partner_);
}
