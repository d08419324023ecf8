#pragma once
// How the rules make item entities in a world's lists. Each factory takes the item (owned by the
// new entity from then on; back to the pool when none is made) and answers the entity, already in
// its list, or null. The cell is the one under the position; a position off the map rows makes
// nothing.

#include <cstdint>

#include "engine/base/geometry.h"

class Item;
class MapBlock;
class TreasureEntity;
class WorldEntities;

// A treasure at the position moving at `speed` pixels per tick in direction `angle` (radians).
TreasureEntity* createTreasureEntity(WorldEntities& lists, Item* item, engine::Vec2 position, float speed, float angle,
                                     float spread);
// Tossed up and away: speed 1 to 2 at 22.5 to 157.5 degrees.
TreasureEntity* createTreasureEntityTossed(WorldEntities& lists, Item* item, engine::Vec2 position, float spread);
