#pragma once
// How the rules make projectiles in a world's lists: a bullet row below the table's size, the
// thrower's player id (0: none, a mob's shot or a dispenser's), the start motion and the fired
// item's word. A bobber row makes a bobber. A position off the map rows or a row out of range
// makes nothing.

#include <cstdint>

#include "engine/base/geometry.h"

class BulletEntity;
class WorldEntities;

BulletEntity* createBulletEntity(WorldEntities& lists, int32_t row, uint32_t ownerId, engine::Vec2 position,
                                 float speed, float angle, uint32_t extra, bool hitsMobs, bool sparesPlayers);
// The caster has a bobber in the world.
bool playerHasBobber(const WorldEntities& lists, uint32_t ownerId);
