#include "engine/base/random.h"

namespace engine {
namespace {
thread_local uint32_t state = 1;
}

void randomSeed(uint32_t seed) { state = seed; }

int randomNext() {
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7fffu);
}

}  // namespace engine
