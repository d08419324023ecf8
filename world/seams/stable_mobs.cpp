#include "world/seams/stable_mobs.h"

namespace {
StableMobs*& slot() {
  static StableMobs* mobs = nullptr;
  return mobs;
}
}  // namespace

StableMobs& stableMobs() {
  static NullStableMobs none;
  StableMobs* mobs = slot();
  return mobs != nullptr ? *mobs : none;
}

void setStableMobs(StableMobs* mobs) { slot() = mobs; }
