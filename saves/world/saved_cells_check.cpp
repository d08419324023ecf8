#include "saves/world/saved_cells_check.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "saves/world/map_packing.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"

#if defined(RUBBLE_SAVE_CHECK)
const bool kCheckSavedCells = true;
#else
const bool kCheckSavedCells = false;
#endif

namespace {

void describe(const char* whose, const MapBlock& cell) {
  const PackedCell kept = packMapBlock(cell);
  std::fprintf(stderr, "  %s:", whose);
  for (uint8_t byte : kept) std::fprintf(stderr, " %02x", byte);
  std::fprintf(stderr, "\n");
}

}  // namespace

size_t firstUnsavedCell(std::span<const MapBlock> copy, const WorldMap& map) {
  const size_t count = std::min(copy.size(), map.cellCount());
  const MapBlock* live = map.cells();
  for (size_t i = 0; i < count; ++i) {
    if (packMapBlock(copy[i]) != packMapBlock(live[i])) return i;
  }
  return copy.size() == map.cellCount() ? map.cellCount() : count;
}

void requireCopyLevelWithMap(std::span<const MapBlock> copy, const WorldMap& map) {
  const size_t at = firstUnsavedCell(copy, map);
  if (at == map.cellCount()) return;
  if (at >= copy.size() || at >= map.cellCount()) {
    std::fprintf(stderr, "world save: the copy of the cells holds %zu cells, the world %zu\n", copy.size(),
                 map.cellCount());
    std::abort();
  }
  const size_t height = static_cast<size_t>(map.height());
  std::fprintf(stderr,
               "world save: cell (%zu, %zu) was written without its chunk marked changed "
               "(WorldMap::markChanged); the save would have lost it. Packed as the file keeps it:\n",
               at / height, at % height);
  describe("the world", map.cells()[at]);
  describe("the save ", copy[at]);
  std::abort();
}
