#include "game/trade/trade_requests.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "game/player/player_base.h"
#include "game/trade/trade_book.h"
#include "game/trade/trade_codes.h"
#include "game/trade/trade_session.h"

namespace {

using Request = TradeBook::Request;

// Takes the request off the list; false when it was never made (or already answered).
bool takeRequest(const PlayerBase& asking, const PlayerBase& asked) {
  if (asking.trades() == nullptr) return false;
  auto& requests = asking.trades()->requests();
  auto found = std::find(requests.begin(), requests.end(), Request{&asking, &asked});
  if (found == requests.end()) return false;
  requests.erase(found);
  return true;
}

}  // namespace

void recordTradeRequest(const PlayerBase& asking, const PlayerBase& asked) {
  if (asking.trades() != nullptr && !hasTradeRequest(asking, asked)) {
    asking.trades()->requests().emplace_back(&asking, &asked);
  }
}

bool hasTradeRequest(const PlayerBase& asking, const PlayerBase& asked) {
  if (asking.trades() == nullptr) return false;
  const auto& requests = asking.trades()->requests();
  return std::find(requests.begin(), requests.end(), Request{&asking, &asked}) != requests.end();
}

void forgetTradeRequestsOf(const PlayerBase& player) {
  if (player.trades() == nullptr) return;
  std::erase_if(player.trades()->requests(), [&](const Request& r) { return r.first == &player || r.second == &player; });
}

void answerTradeRequest(uint8_t answer, PlayerBase& asking, PlayerBase& answering,
                        std::string_view answeringName, std::string_view askingName) {
  if (&asking == &answering || !takeRequest(asking, answering)) return;
  switch (answer) {
    case trade::kRefuse:
      return asking.tradeNotice(trade::kRefusalKind, trade::kTextRefused, answeringName);
    case trade::kBusy:
      return asking.tradeNotice(trade::kRefusalKind, trade::kTextBusy, answeringName);
    case trade::kAccept:
      if (findTradeSession(asking) != nullptr || findTradeSession(answering) != nullptr) return;
      createTrade(asking, answering);
      asking.tradeStarted(answeringName);
      answering.tradeStarted(askingName);
      return;
    default: return;
  }
}
