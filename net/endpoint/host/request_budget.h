#pragma once
// How many of each kind of message the host hears from one client: every kind a client can send
// has a row, its allowance (token_bucket.h) sized to what an honest game sends of it at its busiest,
// with room. A message past its sender's allowance is not handled: it is dropped, or, for a kind
// whose latest message carries the whole state (her motion), kept as her one late message of the
// kind, which replaces any older one and is handled once her allowance comes back. So no client
// can make the host work, or make it pass on to the others, more than an honest game would, and
// nothing waits without bound. What a cut leaves out of date on another's screen is put right by
// her next message of the kind, which carries the whole of it.
//
// The honest figures behind the rows (a frame is a sixtieth of a second):
//   - the join's messages come once each; the world's progress once a column at most;
//   - her keys: a few motion records a frame when she mashes them (120 a second is twice that);
//   - a use, a throw, a bite, a shot: once each repeat of a held button, at most ten a second;
//   - chat and commands: typed, at most a line a second or two, a few pasted at once;
//   - a trade request is a click on another player; her pet is called on entering and when her
//     trinket changes;
//   - her hits: each mob once a swing (the swing pace is held per mob on top, see hit_pace.h),
//     the blocks she breaks and places: one a frame, a few in creative;
//   - the items lying on a cell she walks over are offered one by one: hundreds at once.
//
// Main thread only.

#include <array>
#include <cstdint>
#include <map>
#include <utility>

#include "net/endpoint/host/token_bucket.h"
#include "net/wire/wire_catalogue.h"

namespace host {

// What is done with a message past its sender's allowance.
enum class Overflow : uint8_t { Drop, KeepLatest };

struct KindAllowance {
  Allowance allowance;
  Overflow overflow = Overflow::Drop;
  bool known = false;  // the table has a row for the kind
};

class RequestBudget {
 public:
  // The row of the message a client sends, by its id (unique among what a host hears).
  static const KindAllowance& of(uint8_t id);

  // Refilled by the clock it is given: the steady clock in the game, a test's own in a test.
  explicit RequestBudget(BudgetClock clock = steadyNow) : clock_(std::move(clock)) {}

  // True when the peer's message of this kind may be handled (it is counted).
  bool spend(uint8_t peer, uint8_t id);
  // The peer left: a newcomer under its id starts with full allowances.
  void forget(uint8_t peer);
  const BudgetClock& clock() const { return clock_; }

 private:
  BudgetClock clock_;
  std::map<std::pair<uint8_t, uint8_t>, TokenBucket> buckets_;  // by peer and message id
};

}  // namespace host
