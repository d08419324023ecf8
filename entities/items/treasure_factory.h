#pragma once
// How the rules make item entities in a world's lists. Each factory takes the item (owned by the
// new entity from then on; back to the pool when none is made) and answers the entity, already in
// its list, or null. The cell is the one under the position; a position off the map rows makes
// nothing.

#include <cstdint>

#include "content/items/item_ptr.h"
#include "engine/base/geometry.h"

class DressEntity;
class FishEntity;
class FruitEntity;
class Item;
class MapBlock;
class TreasureEntity;
class WorldEntities;

// A treasure at the position moving at `speed` pixels per tick in direction `angle` (radians); a
// toy (with its thrower's player id) when `allowToy` is set and the item has a toy spec.
TreasureEntity* createTreasureEntity(WorldEntities& lists, ItemPtr item, engine::Vec2 position, float speed,
                                     float angle, float spread, bool allowToy = false, uint32_t throwerId = 0);
// Tossed up and away: speed 1 to 2 at 22.5 to 157.5 degrees.
TreasureEntity* createTreasureEntityTossed(WorldEntities& lists, ItemPtr item, engine::Vec2 position, float spread,
                                           bool allowToy = false);
// A fruit of the item id hanging at the plant's cell: mode 0 anywhere in it, 1 low, 2 high, other
// modes at its centre.
FruitEntity* createFruitEntity(WorldEntities& lists, uint16_t itemId, MapBlock& cell, uint8_t mode);
// A fish of the item swimming from the cell.
FishEntity* createFishEntity(WorldEntities& lists, ItemPtr item, MapBlock& cell);
// A piece of clothing of the item id for the worn slot (below 10).
DressEntity* createDressEntity(WorldEntities& lists, uint16_t itemId, uint8_t slot, engine::Vec2 position);
