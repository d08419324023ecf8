#include "net/endpoint/host/cosmetic_budget.h"

#include <algorithm>

namespace host {

bool CosmeticBudget::spend(uint8_t peer) {
  const auto now = clock_();
  const auto [found, fresh] = peers_.try_emplace(peer, Left{kMost, now});
  Left& left = found->second;
  if (!fresh) {
    const double seconds = std::chrono::duration<double>(now - left.at).count();
    if (seconds > 0) left.messages = std::min(kMost, left.messages + seconds * kPerSecond);
    left.at = now;
  }
  if (left.messages < 1) return false;
  left.messages -= 1;
  return true;
}

}  // namespace host
