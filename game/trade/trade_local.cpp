#include "game/trade/trade_local.h"

#include "game/player/player.h"
#include "game/trade/trade_session.h"

void TradeLocal::sendEvent(uint8_t code) {
  if (TradeSession* session = findTradeSession(player())) handleTradeEvent(*session, player(), code);
}

void TradeLocal::sendOffer(const Item& item) {
  if (TradeSession* session = findTradeSession(player())) session->offerItem(player(), item);
}

void TradeLocal::sendWithdraw(const Item& item) {
  if (TradeSession* session = findTradeSession(player())) session->withdrawItem(player(), item);
}
