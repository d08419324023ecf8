#pragma once
// The generator's use of the map's liquid simulator: new sources while a world is generated, and
// settling them to rest before the surface is dressed. Only the map changes: nothing goes to the
// world's edit sink or to peers while a world is being generated.
//
// Threads: the generating thread only (see world_generator.h).

#include <cstdint>
#include <functional>

class MapBlock;
class WorldMap;

// Makes the cell a full source of the liquid kind (1 water, 2 lava, 3 acid) and queues it.
void makeLiquidSource(WorldMap& map, MapBlock& cell, uint8_t kind);
// Steps the map's liquid simulation until nothing is pending (or a bounded number of steps);
// returns the steps taken. `beforeStep` runs before each step (a long settling's chance to stop).
uint32_t settleLiquids(WorldMap& map, const std::function<void()>& beforeStep = {});
// Hands the simulator back to the game: later edits go through the world's edit sink again, and cells
// still pending flow in the game's first liquid step.
void finishLiquids(WorldMap& map);
