#pragma once
// The cell and wrap operations the entity code and its neighbours share. The world is a cylinder
// in x: distances and lines of cells take the short way across the seam, so a mob just across it
// is near. Pixel points: a cell is 30 pixels, its centre at (column x 30, row x 30).
//
// Every operation takes the map it works on; none reaches a process-wide world.

#include <cstdint>

#include "engine/base/geometry.h"

class MapBlock;
class WorldMap;

// The column difference b - a taken the near way round the world.
int32_t wrappedColumnDelta(const WorldMap& map, int32_t a, int32_t b);
// Squared distance in cells, x the near way.
float cellDistanceSquared(const WorldMap& map, const MapBlock& a, const MapBlock& b);
// Within n cells on both axes, x the near way.
bool blocksWithinRange(const WorldMap& map, const MapBlock& a, const MapBlock& b, int32_t n);
// x wraps; none outside the rows.
MapBlock* cellAt(WorldMap& map, int32_t x, int32_t y);
// The cell under a pixel point; none outside the rows (or for a point that is not finite).
MapBlock* blockAtPoint(WorldMap& map, engine::Vec2 point);
// The cell exists and its front block is fully clear (the definition's byte 22 is 1).
bool blockHasFlagAt(WorldMap& map, int32_t x, int32_t y);
// A staircase of passable cells leads from (x, y) to a; the steps go the near way round.
bool lineOfCellsClear(WorldMap& map, const MapBlock& a, int32_t x, int32_t y);
