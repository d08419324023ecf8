#pragma once
// How often the host lets a client's player hit one mob: her own game hits each mob once a swing,
// and a swing lasts as long as the weapon she holds swings (game/combat/swing_pace.h). So the hits
// on one mob are held to that pace, with room for three that a slow link bunches together; past it
// a hit is not taken. A crowd of mobs in one swing is each hit once, as in her game.
//
// The map holds the mobs she hit lately; one whose pace has filled up again is forgotten when the
// map grows, so it stays as small as the mobs she is fighting.
//
// Main thread only.

#include <chrono>
#include <cstdint>
#include <map>
#include <utility>

#include "net/endpoint/host/token_bucket.h"

namespace host {

class HitPace {
 public:
  static constexpr double kBunched = 3;

  // True when her hit on the mob is taken, her weapon swinging once in `swingSeconds`.
  bool take(uint8_t peer, uint32_t mob, float swingSeconds, std::chrono::steady_clock::time_point now);
  void forget(uint8_t peer);

 private:
  static constexpr size_t kKept = 64;
  struct Paced {
    TokenBucket bucket;
    Allowance allowance;
  };
  std::map<std::pair<uint8_t, uint32_t>, Paced> mobs_;
};

}  // namespace host
