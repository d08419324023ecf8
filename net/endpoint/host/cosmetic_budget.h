#pragma once
// How many of a client's cosmetic messages the host passes on to the others: her effects ([2][34]),
// her look, her mode, what she holds and wears, her player actions and her cell effects. Every
// client receives the others' messages on one reliable, ordered channel, so each one the host
// passes on makes the world, chat and motion behind it wait; a client that sends them by the
// hundred thousand would delay every other client's game by seconds or get her disconnected. Each
// client has a budget of her own, refilled with time; what goes past it is dropped (the host still
// takes her word for itself, only the others do not hear it). It is a second gate after the request
// budget (request_budget.h), which holds each kind on its own: this one holds what the others are
// passed of all the kinds together.
//
// The budget is what the game itself sends at most, with room to spare, so an honest client never
// reaches it:
//   - on entering: her look, her held item, her ten worn items, her mode and one effect per active
//     buff (at most one per potion): 13 + 110 messages at once;
//   - in play, at most one of each a frame: a swing, a strike's or refusal's cell effect, a change of
//     the held item, one of the worn items and one of the mode: 5 a frame, 60 frames a second.
// So she may send 123 messages at once plus a second's worth of play (300), and 300 a second after.
//
// Main thread only.

#include <cstdint>
#include <map>

#include "net/endpoint/host/token_bucket.h"

namespace host {

class CosmeticBudget {
 public:
  static constexpr double kEnteringMessages = 13 + 110;
  static constexpr double kPerSecond = 5 * 60;
  static constexpr double kMost = kEnteringMessages + kPerSecond;

  // Refilled by the clock it is given: the steady clock in the game, a test's own in a test.
  explicit CosmeticBudget(BudgetClock clock = steadyNow) : clock_(std::move(clock)) {}

  // True when the peer's message may be passed on (it is counted); false: over her budget.
  bool spend(uint8_t peer);
  // The peer left: a newcomer under its id starts with a full budget.
  void forget(uint8_t peer) { peers_.erase(peer); }

 private:
  static constexpr Allowance kAllowance{kMost, kPerSecond};
  BudgetClock clock_;
  std::map<uint8_t, TokenBucket> peers_;
};

}  // namespace host
