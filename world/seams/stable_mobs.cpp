#include "world/seams/stable_mobs.h"

engine::Seam<StableMobs, NullStableMobs>& stableMobsSeam() {
  static engine::Seam<StableMobs, NullStableMobs> seam;
  return seam;
}

StableMobs& stableMobs() { return stableMobsSeam().get(); }

void setStableMobs(StableMobs* mobs) { stableMobsSeam().set(mobs); }
