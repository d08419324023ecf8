#include "net/trade/trade_remote.h"

#include "net/endpoint/net.h"
#include "net/wire/wire_out.h"

TradeRemote::TradeRemote(Player& player, std::string partner, Net& net)
    : TradeAbstract(player, std::move(partner)), net_(net) {}

void TradeRemote::sendEvent(uint8_t code) {
  const wire::WireOut out(wire::outgoing(code, wire::Side::Client));
  net_.send(out.data(), out.size(), 0);
}

void TradeRemote::sendOffer(const Item& item) { sendStack(trade::kOffered, item); }
void TradeRemote::sendWithdraw(const Item& item) { sendStack(trade::kWithdrawn, item); }

void TradeRemote::sendStack(uint8_t id, const Item& item) {
  wire::WireOut out(wire::outgoing(id, wire::Side::Client));
  out.item(&item);
  net_.send(out.data(), out.size(), 0);
}
