#include "net/endpoint/host/trade_askings.h"

#include <algorithm>

namespace host {

bool TradeAskings::mayAsk(uint8_t asking, uint8_t asked, TimePoint now) const {
  const auto found = until_.find({asking, asked});
  return found == until_.end() || now >= found->second;
}

void TradeAskings::declined(uint8_t asking, uint8_t asked, TimePoint now) {
  int& declines = declines_[{asking, asked}];
  until_[{asking, asked}] = now + kCoolDown * (1 << std::min(declines, kMostDoublings));
  ++declines;
}

void TradeAskings::accepted(uint8_t asking, uint8_t asked) {
  until_.erase({asking, asked});
  declines_.erase({asking, asked});
}

void TradeAskings::forget(uint8_t peer) {
  const auto involves = [peer](const auto& entry) { return entry.first.first == peer || entry.first.second == peer; };
  std::erase_if(until_, involves);
  std::erase_if(declines_, involves);
}

}  // namespace host
