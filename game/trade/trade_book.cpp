#include "game/trade/trade_book.h"

#include "game/trade/trade_session.h"

TradeBook::TradeBook() = default;
TradeBook::~TradeBook() = default;

void TradeBook::clear() {
  sessions_.clear();
  requests_.clear();
}
