// The inventory view's trade page: the own offers and the other side's in their cells, a line of
// who is ready, and the list: say ready or not, cancel the trade, and a row for each stack of the
// quick row and the backpack that offers it or takes its offer back.
#include <string>

#include "content/items/item.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "game/trade/trade_abstract.h"
#include "ui/views/inventory_view.h"
#include "world/rules/game.h"

namespace {

std::string readiness(const TradeAbstract& trade) {
  switch (trade.state()) {
    case TradeAbstract::kOwnReady: return "You are ready; " + trade.partner() + " is not yet.";
    case TradeAbstract::kOtherReady: return trade.partner() + " is ready; you are not yet.";
    case TradeAbstract::kBothReadyState: return "Both are ready.";
    default: return "Nobody is ready yet.";
  }
}

bool isOffered(const TradeAbstract& trade, SlotRef slot) {
  for (int place = 0; place < trade::kOfferPlaces; ++place) {
    if (trade.ownOffer(place) == slot) return true;
  }
  return false;
}

// What the other side offers, on one row whatever the number of its stacks.
std::string otherOffers(const TradeAbstract& trade) {
  std::string text;
  for (int place = 0; place < trade::kOfferPlaces; ++place) {
    const Item* theirs = trade.otherOffer(place);
    if (theirs == nullptr) continue;
    text += (text.empty() ? "You get: " : ", ") + itemLabel(theirs);
  }
  return text.empty() ? "You get nothing yet." : text;
}

// A trade action redraws the window while the row that chose it is being replaced: the action and
// the view are the caller's copies, never read from the row after the action ran.
template <class Action>
void act(InventoryView* view, Action action) {
  action();
  view->refresh();
}

}  // namespace

void InventoryView::fillTrade(PlayerDesktopLocal& p, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  TradeAbstract* trade = p.inventory->trade();
  if (trade == nullptr) {
    rows.push_back({"No trade is running.", nullptr});
    return;
  }
  // The other side's offers and readiness arrive while the player points at a row: they change the
  // texts of lines and a row that are always there, never the number of rows above what one clicks.
  lines.push_back("Trading with " + trade->partner() + ".");
  lines.push_back(readiness(*trade));
  rows.push_back({otherOffers(*trade), nullptr});
  rows.push_back({trade->ownReady() ? "Not ready" : "Ready", [this, trade] {
                    act(this, [trade] { trade->setReady(!trade->ownReady()); });
                  }});
  rows.push_back({"Cancel the trade", [&p] {
                    if (p.game != nullptr) p.game->cancelTrade();
                  }});
  // Each stack keeps its row whether it is offered or not: offering one turns its row into the
  // row that takes it back, so no row moves under the pointer that clicked it.
  auto offerRow = [&](SlotRef slot) {
    const Item* item = p.inventory->slotItem(slot);
    if (item == nullptr || item->isNone()) return;
    const bool offered = isOffered(*trade, slot);
    rows.push_back({(offered ? "Take back: " : "Offer: ") + itemLabel(item), [this, trade, slot, offered] {
                      act(this, [trade, slot, offered] {
                        if (offered) {
                          trade->withdraw(slot);
                        } else {
                          trade->offer(slot);
                        }
                      });
                    }});
  };
  for (uint8_t i = 0; i < p.inventory->quickSlotsInUse(); ++i) offerRow({SlotKind::Quick, i, 0});
  for (uint8_t y = 0; y < Inventory::kBackpackSide; ++y) {
    for (uint8_t x = 0; x < Inventory::kBackpackSide; ++x) offerRow({SlotKind::Backpack, x, y});
  }
}
