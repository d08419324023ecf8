#include "world/seams/entity_effects.h"

#include "world/cells/map_block.h"

engine::Vec2 cellPixelPosition(const MapBlock& cell) {
  return {static_cast<float>(cell.x) * 30.0f, static_cast<float>(cell.y) * 30.0f};
}

engine::Seam<EntityEffects, NullEntityEffects>& entityEffectsSeam() {
  static engine::Seam<EntityEffects, NullEntityEffects> seam;
  return seam;
}

EntityEffects& entityEffects() { return entityEffectsSeam().get(); }

void setEntityEffects(EntityEffects* effects) { entityEffectsSeam().set(effects); }
