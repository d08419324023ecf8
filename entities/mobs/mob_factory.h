#pragma once
// Makes the mob of a row's AI kind (jumper, walker, flyer, floater): counted in its population
// group and thinking where rules run, or from a peer's record, mirroring it.

#include <cstdint>
#include <memory>

#include "engine/base/geometry.h"

class MobEntity;
class World;
struct EntityRecord;
struct MobDef;

// `motion`: the start impulse as (strength, angle in radians).
std::unique_ptr<MobEntity> createMobEntity(World& world, const MobDef& row, uint8_t group, engine::Vec2 position,
                                           engine::Vec2 motion);
// A pet of the row following the player with the id (kind 8, population group 5).
std::unique_ptr<MobEntity> createPetEntity(World& world, const MobDef& row, uint32_t ownerId, engine::Vec2 position);
// Null when the record names no mob row.
std::unique_ptr<MobEntity> createMobFromRecord(World& world, const EntityRecord& record);
