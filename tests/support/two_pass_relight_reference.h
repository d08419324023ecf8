#pragma once
// The reference the one-pass relight (`LightMap::relightAllWithShadows`) is held against: the shadow
// edges of the whole map in a pass of their own, column by column from one byte of traits a cell,
// then the light with `LightMap::relightAll`. The game lights every map in the one pass; this is
// kept only so tests can show that pass gives the two passes' cells to the bit, wherever a map is lit.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "world/cells/column_byte_walk.h"
#include "world/cells/column_shadows.h"
#include "world/light/light_map.h"
#include "world/map/world_map.h"

namespace testsupport {

// Expects, as the relight does, a map whose sky levels and block light are zero.
inline void relightInTwoPassesForReference(WorldMap& map) {
  const int32_t height = map.height();
  std::vector<uint8_t> edges(static_cast<size_t>(height));
  walkColumnBytes(
      map.width(), height,
      [&](int32_t x, uint8_t* traits) {
        const MapBlock* column = &map.cell(x, 0);
        traits[0] = traits[height + 1] = 0;
        for (int32_t y = 0; y < height; ++y) traits[y + 1] = shadowTraitsOf(map.props(), column[y]);
      },
      [&](int32_t x, const uint8_t* left, const uint8_t* mid, const uint8_t* right) {
        // Rows below this one lie more than 3 rows under the surface line.
        const int32_t undergroundTop = map.hasSurfaceLine() ? static_cast<int32_t>(map.surfaceLine(x)) - 3 : 0;
        columnShadowEdges(left, mid, right, height, undergroundTop, edges.data());
        MapBlock* column = &map.cell(x, 0);
        for (int32_t y = 0; y < height; ++y) {
          column[y].skyShadow = static_cast<uint8_t>((column[y].skyShadow & 0xF0) | edges[static_cast<size_t>(y)]);
        }
      });
  map.lightMap().relightAll();
}

// How many cells hold other light or shadow edges than the two passes give the same blocks. Finds
// out by lighting the map afresh with them: the map is left lit by the reference.
inline size_t cellsLitOtherwiseThanByTheReference(WorldMap& map) {
  std::vector<std::pair<uint8_t, uint16_t>> held(map.cellCount());
  for (size_t i = 0; i < map.cellCount(); ++i) {
    MapBlock& cell = map.cells()[i];
    held[i] = {cell.skyShadow, cell.blockLight};
    cell.skyShadow = 0;
    cell.blockLight = 0;
  }
  relightInTwoPassesForReference(map);
  size_t differing = 0;
  for (size_t i = 0; i < map.cellCount(); ++i) {
    const MapBlock& cell = map.cells()[i];
    if (held[i] != std::pair(cell.skyShadow, cell.blockLight)) ++differing;
  }
  return differing;
}

}  // namespace testsupport
