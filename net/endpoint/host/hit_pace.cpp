#include "net/endpoint/host/hit_pace.h"

#include <algorithm>

namespace host {

bool HitPace::take(uint8_t peer, uint32_t mob, float swingSeconds, std::chrono::steady_clock::time_point now) {
  if (mobs_.size() >= kKept) {
    std::erase_if(mobs_, [now](const auto& entry) { return entry.second.bucket.full(entry.second.allowance, now); });
  }
  Paced& paced = mobs_[{peer, mob}];
  paced.allowance = {kBunched, 1.0 / std::max(swingSeconds, 0.01f)};
  return paced.bucket.take(paced.allowance, now);
}

void HitPace::forget(uint8_t peer) {
  std::erase_if(mobs_, [peer](const auto& entry) { return entry.first.first == peer; });
}

}  // namespace host
