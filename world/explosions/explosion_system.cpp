#include "world/explosions/explosion_system.h"

#include "world/map/world_map.h"
#include "world/world.h"

ExplosionSystem::ExplosionSystem(World& world) : world_(world) {}

void ExplosionSystem::explodeAt(MapBlock& cell, const BlastSpec& spec, PlayerBase* source) {
  queued_.push_back({world_.map().indexOf(cell), spec, source});
}
