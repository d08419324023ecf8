// The client's handling of the host's trade messages (category 11): each goes to the local
// player's trade operations, which run its trade window (the request, the window opening and
// closing, the other side's offers, the host's events).
#include <algorithm>
#include <span>
#include <string>

#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "net/endpoint/net_client.h"
#include "net/players/player_messages.h"
#include "net/wire/wire_in.h"

void NetClient::handleTrades(wire::WireIn& in, uint8_t) {
  // The game's trade codes are the category's ids: an event passes the id on as it is.
  static constexpr HandlerTable<Handler> kHandlers{
      {wire::TradeMsg::TradeAsked, &NetClient::toLocalPlayer<&NetClient::tradeAsked>},
      {wire::TradeMsg::TradeStarted, &NetClient::toLocalPlayer<&NetClient::tradeOpened>},
      {wire::TradeMsg::TradeCancel, &NetClient::toLocalPlayer<&NetClient::tradeClosed>},
      {wire::TradeMsg::TradeOffer, &NetClient::toLocalPlayer<&NetClient::tradeStackChanged>},
      {wire::TradeMsg::TradeWithdraw, &NetClient::toLocalPlayer<&NetClient::tradeStackChanged>},
      {wire::TradeMsg::TradeReady, &NetClient::toLocalPlayer<&NetClient::tradeEvent>},
      {wire::TradeMsg::TradeNotReady, &NetClient::toLocalPlayer<&NetClient::tradeEvent>},
      {wire::TradeMsg::TradeBothReady, &NetClient::toLocalPlayer<&NetClient::tradeEvent>},
      {wire::TradeMsg::TradeConfirm, &NetClient::toLocalPlayer<&NetClient::tradeEvent>},
      {wire::TradeMsg::TradeNoRoom, &NetClient::toLocalPlayer<&NetClient::tradeEvent>},
      {wire::TradeMsg::TradeBothConfirmed, &NetClient::toLocalPlayer<&NetClient::tradeEvent>},
      {wire::TradeMsg::TradeCancelledNoRoom, &NetClient::toLocalPlayer<&NetClient::tradeEvent>},
  };
  dispatch(kHandlers, in);
}

void NetClient::tradeAsked(wire::WireIn& in, PlayerDesktopLocal& player) {
  const uint8_t asking = in.peer();
  const uint8_t asked = in.peer();
  player.tradeMessage(asking, asked, in.name());
}

// The other side's name in a fixed field, ended by its first zero byte.
void NetClient::tradeOpened(wire::WireIn& in, PlayerDesktopLocal& player) {
  const std::span<const uint8_t> raw = in.raw(player_msg::kTradeNameSize);
  player.tradeStarted(std::string(raw.begin(), std::find(raw.begin(), raw.end(), uint8_t{0})));
}

// Whatever the trade exchanged is settled when its window closes.
void NetClient::tradeClosed(wire::WireIn&, PlayerDesktopLocal& player) {
  player.tradeEnded();
  itemHandedOver();
}

// An unknown stack reaches the window as none.
void NetClient::tradeStackChanged(wire::WireIn& in, PlayerDesktopLocal& player) {
  const wire::PooledItem item = wire::itemFromWire(in);
  player.tradeOfferChanged(in.spec().is(wire::TradeMsg::TradeOffer), item.get());
}

// A trade that completes moves the stacks in her inventory as its window closes: her character is
// kept then, as on every other hand-over.
void NetClient::tradeEvent(wire::WireIn& in, PlayerDesktopLocal& player) {
  const bool open = player.inventory->trade() != nullptr;
  player.tradeEvent(in.spec().id);
  if (open && player.inventory->trade() == nullptr) itemHandedOver();
}
