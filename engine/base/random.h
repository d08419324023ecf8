#pragma once
// The one random generator of the game: values 0..32767, the classic linear congruential
// sequence (seed 1 until seeded), with state per thread so the world-load thread draws its own
// reproducible sequence. Every random draw in the game goes through here, never std::rand.

#include <cstdint>

namespace engine {

constexpr int RANDOM_MAX = 32767;

void randomSeed(uint32_t seed);
int randomNext();  // 0..RANDOM_MAX

// The sequence's multiplier and increment: one step takes the state s to s * a + c (mod 2^32).
constexpr uint32_t kRandomMultiplier = 214013u;
constexpr uint32_t kRandomIncrement = 2531011u;

// The draw a state yields: its high bits.
inline int randomDrawOf(uint32_t state) { return static_cast<int>((state >> 16) & 0x7fffu); }

// One step of the sequence: the state moves on and the draw comes from its high bits.
inline int randomStep(uint32_t& state) {
  state = state * kRandomMultiplier + kRandomIncrement;
  return randomDrawOf(state);
}

// Three draws in order, as three steps give them.
struct RandomThree {
  int first, second, third;
};

// Three steps at once. Each state is worked out from the one before the first, by the step
// composed once, twice and three times (the same states mod 2^32), so a loop that draws three
// at a time waits on one multiplication and addition instead of three.
inline RandomThree randomStepThree(uint32_t& state) {
  constexpr uint32_t a = kRandomMultiplier, c = kRandomIncrement;
  constexpr uint32_t a2 = a * a, c2 = a * c + c;
  constexpr uint32_t a3 = a2 * a, c3 = a * c2 + c;
  const uint32_t from = state;
  state = from * a3 + c3;
  return {randomDrawOf(from * a + c), randomDrawOf(from * a2 + c2), randomDrawOf(state)};
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
  // The run's state, for a hot loop that steps a copy of its own (which the compiler can keep in
  // a register) with `randomStep` or `randomStepThree` and hands it back with `resume`.
  uint32_t current() const { return state_; }
  void resume(uint32_t state) { state_ = state; }

 private:
  uint32_t state_;
};

}  // namespace engine
