#include "world/seams/world_bodies.h"

namespace {
WorldBodies*& slot() {
  static WorldBodies* bodies = nullptr;
  return bodies;
}
}  // namespace

WorldBodies& worldBodies() {
  static NullWorldBodies none;
  WorldBodies* bodies = slot();
  return bodies != nullptr ? *bodies : none;
}

void setWorldBodies(WorldBodies* bodies) { slot() = bodies; }
