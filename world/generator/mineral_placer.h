#pragma once
// Veins of ore grown from random seed cells, single blocks scattered into one layer, and objects
// stood on exposed floors (with the link blocks of an adventure world among them).
//
// Threads: the generating thread only (see world_generator.h).

#include <cstdint>

class WorldGenerator;
struct RowRange;
struct VeinPlacement;

// The filter of the floors a link block may stand on.
constexpr uint64_t kLinkBlockFilter = 0x200000000ull;

void spawnVeins(WorldGenerator& generator);
// Grows one vein of the block from (x, y); returns the cells placed.
int growVein(WorldGenerator& generator, uint16_t block, int32_t x, int32_t y, const VeinPlacement& placement);
void spawnScatteredBlocks(WorldGenerator& generator);
void spawnSurfaceObjects(WorldGenerator& generator);
// Stands `count` blocks on floors in the rows whose support matches the filter; returns how many
// stand (fewer only when the search gave up).
int placeSurfaceObject(WorldGenerator& generator, uint16_t block, int count, const RowRange& rows, uint64_t filter);
void spawnLinkBlocks(WorldGenerator& generator);
