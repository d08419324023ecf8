// The client's handling of the host's trade messages (category 11): each goes to the local
// player's trade operations, which run its trade window (the request, the window opening and
// closing, the other side's offers, the host's events).
#include <algorithm>
#include <span>
#include <string>

#include "game/player/player_desktop.h"
#include "net/endpoint/net_client.h"
#include "net/players/player_messages.h"
#include "net/wire/wire_in.h"

void NetClient::handleTrades(wire::WireIn& in, uint8_t) {
  if (localPlayer_ == nullptr) return;
  switch (const auto id = in.spec().as<wire::TradeMsg>()) {
    case wire::TradeMsg::TradeAsked: {
      const uint8_t asking = in.peer();
      const uint8_t asked = in.peer();
      return localPlayer_->tradeMessage(asking, asked, in.name());
    }
    case wire::TradeMsg::TradeStarted: {
      const std::span<const uint8_t> raw = in.raw(player_msg::kTradeNameSize);
      const std::string name(raw.begin(), std::find(raw.begin(), raw.end(), uint8_t{0}));
      return localPlayer_->tradeStarted(name);
    }
    case wire::TradeMsg::TradeCancel: return localPlayer_->tradeEnded();
    case wire::TradeMsg::TradeOffer:
    case wire::TradeMsg::TradeWithdraw: {
      const wire::PooledItem item = wire::itemFromWire(in);
      return localPlayer_->tradeOfferChanged(id == wire::TradeMsg::TradeOffer, item.get());
    }
    default: return localPlayer_->tradeEvent(wire::idOf(id));
  }
}
