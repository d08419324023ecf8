#pragma once
// Where a new player is set down. The generator's spawn is kept when the ground there is safe;
// otherwise the nearest safe standing cell, column by column around it, is taken. Safe means: the
// player stands in an open cell on a full block, no liquid lies within a few cells, and walking a
// few steps either way drops it no further than a fall that does no harm. A new player has no way
// out of an acid pool or a deep chasm yet.

#include <cstdint>

class WorldMap;
class WorldGenerator;
struct SpawnCell;

namespace spawn_safety {
constexpr int32_t kLiquidReach = 3;   // no liquid in the square of cells this far around the spawn
constexpr int32_t kWalkReach = 4;     // columns walked each way from the spawn
constexpr int32_t kHarmlessFall = 5;  // the deepest fall, in rows, that does no damage
constexpr int32_t kSurfaceDepth = 4;  // how far below the surface line a spawn may stand
}  // namespace spawn_safety

bool isSafeSpawn(const WorldMap& map, int32_t x, int32_t y);
// The generator's spawn when it is safe, else the safe standing cell nearest to its column; the
// spawn as it was (and a give-up counted) when the whole width has none.
SpawnCell safeSpawnNear(WorldGenerator& generator, SpawnCell chosen);
