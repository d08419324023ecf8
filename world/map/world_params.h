#pragma once
// The parameters a world is made with, as the world entry and the world file keep them (12 bytes):
// the planet's id bit, the flags byte matched against the generator's rule masks, the mode (1 and 2
// creative, 2 also flat, 3 adventure, where portals work), the size and height-fraction indexes,
// and a word the game keeps with them.

#include <cstdint>

struct WorldParams {
  uint32_t planetId = 0;
  uint8_t flags = 0;
  uint8_t mode = 0;
  uint8_t sizeIndex = 0;
  uint8_t heightIndex = 0;
  uint32_t extra = 0;
};

static_assert(sizeof(WorldParams) == 12, "world entries and world files keep 12 parameter bytes");

// When a map's grid of cells is made: with the map, or later by the thread that builds the world
// (`WorldMap::makeCells`; `World::generate` makes it), since the largest world's grid takes a tenth
// of a second to fault in.
enum class CellsMade : uint8_t { Now, Later };

struct WorldSize {
  int32_t width = 0;
  int32_t height = 0;
};

constexpr int kWorldSizeCount = 5;
constexpr int kHeightFractionCount = 5;

// 0 512x128, 1 768x256, 2 1024x256, 3 2048x384, 4 4096x512; an index out of range takes size 0.
WorldSize worldSizeFor(uint8_t sizeIndex);
// Whether width x height is one of the five sizes a world can have.
bool isLegalWorldSize(int32_t width, int32_t height);
// 0 0.05, 1 0.10, 2 0.15, 3 0.20, 4 0.30; an index out of range takes 0.05.
float heightFractionFor(uint8_t heightIndex);
// `isCreativeWorld`: the mode byte is 1 or 2.
inline bool isCreativeWorld(const WorldParams& params) { return params.mode == 1 || params.mode == 2; }
