#pragma once
// The spawning pass of a world's mob spawner (world/entities/mob_spawner.h), which walks the mob
// list: far mobs are removed, each spawn group is topped up towards its cap with packs on suitable
// cells near the players, and mobs in liquid or daylight are hurt. The rules run one pass every
// three seconds (groups 1, 0 and 2); nothing happens in a creative world.
//
// Counts are compared unsigned and only while below the cap: a group at or above its cap (after a
// difficulty change, loaded mobs or a player who left) spawns nothing.
//
// Main thread only.

#include <cstdint>
#include <vector>

class MapBlock;
class WorldEntities;
struct SpawnRule;

namespace mob_spawning {
constexpr uint8_t kPassOrder[3] = {1, 0, 2};
constexpr uint8_t kDaylightEffect = 24;
constexpr uint8_t kDrowningType = 11;
constexpr uint8_t kLavaType = 22;
constexpr uint8_t kAcidType = 23;
constexpr uint8_t kSunType = 10;
}  // namespace mob_spawning

// Removes the group's mobs farther than the view from every player; answers how many stay.
uint64_t despawnFarMobs(WorldEntities& lists, const SpawnRule& rule);
// One group's pass.
void spawnGroup(WorldEntities& lists, uint8_t group);
// Groups 1, 0 and 2.
void runSpawnerPass(WorldEntities& lists);
// Liquid and daylight on every free mob (pets are spared).
void applyEnvironmentDamage(WorldEntities& lists);
// The live counts from the mob list (after a mass removal).
void recountMobs(WorldEntities& lists);
// Candidate cells around one player's cell for the rule (the rules' `collectSpawnCells`).
void collectSpawnCells(WorldEntities& lists, const MapBlock& around, std::vector<MapBlock*>& out,
                       const SpawnRule& rule);
