#include "world/current_world.h"

namespace {
World*& slot() {
  static World* world = nullptr;
  return world;
}
}  // namespace

World* currentWorld() { return slot(); }

void setCurrentWorld(World* world) { slot() = world; }
