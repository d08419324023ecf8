#pragma once
// Caves and worm caves: irregular blobs carved by a randomised flood from a seed cell, and tunnels
// carved as discs along a random walk. Both empty only the front layer, so the back layer stays as
// the cave wall. Cave floods never break bedrock; worms cut through whatever they reach.
//
// Threads: the generating thread only (see world_generator.h).

#include <cstdint>

class WorldGenerator;
struct WormRule;

void spawnCaves(WorldGenerator& generator);
// Carves one cave from (x, y); a size of 0 carves until the flood runs dry. Returns the cells emptied.
int carveCave(WorldGenerator& generator, int32_t x, int32_t y, float dropChance, uint32_t size);
void spawnWormCaves(WorldGenerator& generator);
// Walks and carves one worm of the rule.
void carveWorm(WorldGenerator& generator, const WormRule& rule);
