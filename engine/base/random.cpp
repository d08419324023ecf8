#include "engine/base/random.h"

namespace engine {
namespace {
thread_local uint32_t state = 1;
}

void randomSeed(uint32_t seed) { state = seed; }

int randomNext() { return randomStep(state); }

RandomRun::RandomRun() : state_(state) {}

RandomRun::~RandomRun() { state = state_; }

}  // namespace engine
