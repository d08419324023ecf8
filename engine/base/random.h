#pragma once
// The one random generator of the game: values 0..32767, the classic linear congruential
// sequence (seed 1 until seeded), with state per thread so the world-load thread draws its own
// reproducible sequence. Every random draw in the game goes through here, never std::rand.

#include <cstdint>

namespace engine {

constexpr int RANDOM_MAX = 32767;

void randomSeed(uint32_t seed);
int randomNext();  // 0..RANDOM_MAX

}  // namespace engine
