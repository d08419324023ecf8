#pragma once
// When one player's trade request may reach another again. A request opens a dialog on the asked
// player's screen; were every request passed on, a player asking over and over would open it again
// each time she closed it, and hold her in it. So after a request is passed on, or the asked player
// declines one (no, or busy), the same asker's next request to her is not passed on for a cool-down;
// an accepted request clears it. Other askers are not held back by it. Each decline in a row doubles
// the cool-down after it (up to a limit): an asker who comes back at once every time she may ask
// would otherwise open the dialog on her again every cool-down for as long as he likes.
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
  static constexpr int kMostDoublings = 5;

  // Her request was passed on: the cool-down starts.
  void passedOn(uint8_t asking, uint8_t asked, TimePoint now) { until_[{asking, asked}] = now + kCoolDown; }
  // The asked player declined it: a cool-down twice as long as after her last decline starts.
  void declined(uint8_t asking, uint8_t asked, TimePoint now);
  void accepted(uint8_t asking, uint8_t asked);
  // The peer left: nobody's requests to or from it wait.
  void forget(uint8_t peer);

 private:
  using Pair = std::pair<uint8_t, uint8_t>;
  std::map<Pair, TimePoint> until_;
  std::map<Pair, int> declines_;  // declines in a row since the last accept
};

}  // namespace host
