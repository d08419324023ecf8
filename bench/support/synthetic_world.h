#pragma once
// A synthetic world for the world benchmarks, until the generator exists: rolling ground under
// open sky, worm caves beneath it (a few with shafts to the surface), lamps and lava pools in the
// caves, and one large cave sealed from the sky by a single block at the top of its shaft.
// Reproducible from the seed; block rows are shaped on the map's own property table.

#include <cstdint>
#include <memory>

class World;
class WorldMap;

namespace bench {

constexpr uint16_t kSyntheticDirt = 10;  // solid, opaque
constexpr uint16_t kSyntheticLamp = 12;  // clear, emits 0xEEE

struct SyntheticWorld {
  SyntheticWorld();
  SyntheticWorld(SyntheticWorld&&) noexcept;
  ~SyntheticWorld();
  std::unique_ptr<World> world;  // holds the map; benchmarks bind its context to their own sinks
  WorldMap* map = nullptr;
  int capX = 0;  // the block that seals the large cave
  int capY = 0;
  int caveLeft = 0, caveRight = 0, caveBottom = 0, caveTop = 0;
};

SyntheticWorld makeSyntheticWorld(int width, int height, uint32_t seed);

}  // namespace bench
