#include "world/seams/entity_effects.h"

#include "world/cells/map_block.h"

namespace {
EntityEffects*& slot() {
  static EntityEffects* effects = nullptr;
  return effects;
}
}  // namespace

EntityEffects& entityEffects() {
  static NullEntityEffects none;
  EntityEffects* effects = slot();
  return effects != nullptr ? *effects : none;
}

void setEntityEffects(EntityEffects* effects) { slot() = effects; }

engine::Vec2 cellPixelPosition(const MapBlock& cell) {
  return {static_cast<float>(cell.x) * 30.0f, static_cast<float>(cell.y) * 30.0f};
}
