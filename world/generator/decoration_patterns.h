#pragma once
// Decoration patterns: what grows from one anchor cell of a cave wall or of the ground (a stack of
// blocks, a single hanging or standing object, a run of one block, a tree seed, several layers in
// one cell), applied in one growth direction into the free space the caller measured.
//
// Threads: the generating thread only (see world_generator.h).

#include <cstdint>

class WorldGenerator;
struct DecorationPattern;

// Growth directions: from a floor up, from a ceiling down, from a right wall (solid to the right)
// left, from a left wall (solid to the left) right.
enum class GrowthDirection : uint8_t { Up, Down, Left, Right };

// The placeholder a tree seed holds until the surface dressing grows its tree.
constexpr uint16_t kTreeSeedBlock = 201;

// The 3-bit block state of a placed block by direction, orientation and mirroring.
uint8_t orientationState(GrowthDirection direction, bool oriented, bool mirrored);
// Empty cells from (x, y) on in the direction, (x, y) included, at most 255.
uint8_t measureFreeSpace(WorldGenerator& generator, int32_t x, int32_t y, GrowthDirection direction);
// The space bounds a pattern needs (as bytes): stacks 1 + their counts, runs and offset singles
// their first entry's counts, the others 1.
void patternSpace(const DecorationPattern& pattern, uint8_t& minSpace, uint8_t& maxSpace);
// `applyPattern`: fills cells from the anchor (x, y) in the direction. A free space of 0 means
// "not measured": runs and offset singles then take the pattern's maximum.
void applyPattern(WorldGenerator& generator, int32_t x, int32_t y, const DecorationPattern& pattern,
                  uint8_t freeSpace, GrowthDirection direction);
