#include "net/endpoint/host/trade_askings.h"

namespace host {

bool TradeAskings::mayAsk(uint8_t asking, uint8_t asked, TimePoint now) const {
  const auto found = until_.find({asking, asked});
  return found == until_.end() || now >= found->second;
}

void TradeAskings::forget(uint8_t peer) {
  std::erase_if(until_, [peer](const auto& entry) { return entry.first.first == peer || entry.first.second == peer; });
}

}  // namespace host
