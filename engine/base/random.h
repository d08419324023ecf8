#pragma once
// The one random generator of the game: values 0..32767, the classic linear congruential
// sequence (seed 1 until seeded), with state per thread so the world-load thread draws its own
// reproducible sequence. Every random draw in the game goes through here, never std::rand.

#include <cstdint>

namespace engine {

constexpr int RANDOM_MAX = 32767;

void randomSeed(uint32_t seed);
int randomNext();  // 0..RANDOM_MAX

// One step of the sequence: the state moves on and the draw comes from its high bits.
inline int randomStep(uint32_t& state) {
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7fffu);
}

// The thread's sequence drawn from a local copy, for a loop of millions of draws: the same numbers
// randomNext would give, in the same order; the thread's sequence goes on from the last of them
// once the run ends. No other draw on the thread may come while a run is open.
class RandomRun {
 public:
  RandomRun();
  ~RandomRun();
  RandomRun(const RandomRun&) = delete;
  RandomRun& operator=(const RandomRun&) = delete;

  int next() { return randomStep(state_); }

 private:
  uint32_t state_;
};

}  // namespace engine
