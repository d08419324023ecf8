#include "world/seams/world_bodies.h"

engine::Seam<WorldBodies, NullWorldBodies>& worldBodiesSeam() {
  static engine::Seam<WorldBodies, NullWorldBodies> seam;
  return seam;
}
