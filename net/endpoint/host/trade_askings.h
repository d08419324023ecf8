#pragma once
// When one player's trade request may reach another again. A request opens a dialog on the asked
// player's screen; were every request passed on, a player asking over and over would open it again
// each time she closed it, and hold her in it. So after a request is passed on, or the asked player
// declines one (no, or busy), the same asker's next request to her is not passed on for a cool-down;
// an accepted request clears it. Other askers are not held back by it.
//
// Main thread only.

#include <chrono>
#include <cstdint>
#include <map>
#include <utility>

namespace host {

class TradeAskings {
 public:
  static constexpr std::chrono::seconds kCoolDown{10};
  using TimePoint = std::chrono::steady_clock::time_point;

  bool mayAsk(uint8_t asking, uint8_t asked, TimePoint now) const;
  // Her request was passed on, or the asked player declined it: the cool-down starts.
  void held(uint8_t asking, uint8_t asked, TimePoint now) { until_[{asking, asked}] = now + kCoolDown; }
  void accepted(uint8_t asking, uint8_t asked) { until_.erase({asking, asked}); }
  // The peer left: nobody's requests to or from it wait.
  void forget(uint8_t peer);

 private:
  std::map<std::pair<uint8_t, uint8_t>, TimePoint> until_;
};

}  // namespace host
