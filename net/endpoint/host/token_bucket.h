#pragma once
// The one measure of a client's pace on the host: a bucket of tokens that holds at most `most` and
// fills at `perSecond`; each message (or hit, or forward) takes one while any is left. Every budget
// the host holds a client to (request_budget.h, cosmetic_budget.h, the hits on one mob) is such a
// bucket, sized to what an honest game sends at its busiest with room to spare, so it never runs dry
// for her and a flood is cut to a burst plus the honest rate.
//
// The clock is passed in: the endpoint reads one clock for all its budgets (the steady clock in the
// game, a test's own where a test sets one).
//
// Main thread only.

#include <chrono>
#include <functional>

namespace host {

using BudgetClock = std::function<std::chrono::steady_clock::time_point()>;
inline std::chrono::steady_clock::time_point steadyNow() { return std::chrono::steady_clock::now(); }

struct Allowance {
  double most = 0;       // what she may send at once
  double perSecond = 0;  // and then each second
};

class TokenBucket {
 public:
  // True when a token was left (it is taken); false: over the allowance. A new bucket starts full.
  bool take(const Allowance& allowance, std::chrono::steady_clock::time_point now);
  // Whether the bucket has filled up again (nothing of it is spent): forgetting it changes nothing.
  bool full(const Allowance& allowance, std::chrono::steady_clock::time_point now) const;

 private:
  double left_ = -1;  // below zero: never used, full
  std::chrono::steady_clock::time_point at_{};
  double leftAt(const Allowance& allowance, std::chrono::steady_clock::time_point now) const;
};

}  // namespace host
