#include "world/seams/world_bodies.h"

engine::Seam<WorldBodies, NullWorldBodies>& worldBodiesSeam() {
  static engine::Seam<WorldBodies, NullWorldBodies> seam;
  return seam;
}

WorldBodies& worldBodies() { return worldBodiesSeam().get(); }

void setWorldBodies(WorldBodies* bodies) { worldBodiesSeam().set(bodies); }
