#include "net/endpoint/host/token_bucket.h"

#include <algorithm>

namespace host {

double TokenBucket::leftAt(const Allowance& allowance, std::chrono::steady_clock::time_point now) const {
  if (left_ < 0) return allowance.most;
  const double seconds = std::chrono::duration<double>(now - at_).count();
  return seconds > 0 ? std::min(allowance.most, left_ + seconds * allowance.perSecond) : left_;
}

bool TokenBucket::take(const Allowance& allowance, std::chrono::steady_clock::time_point now) {
  const double left = leftAt(allowance, now);
  // A clock that steps back (a test's, or a host's adjusted one) refills nothing and loses nothing.
  if (left_ < 0 || now > at_) at_ = now;
  left_ = left;
  if (left_ < 1) return false;
  left_ -= 1;
  return true;
}

bool TokenBucket::full(const Allowance& allowance, std::chrono::steady_clock::time_point now) const {
  return leftAt(allowance, now) >= allowance.most;
}

}  // namespace host
