#pragma once
// Small questions the placement rules ask of cells and block ids, on the map they were given.

#include <cstdint>

#include "world/cells/block_flags.h"
#include "world/cells/block_props.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"

class World;

namespace placement {

inline uint64_t flagMask(int bit) { return uint64_t{1} << bit; }
inline const BlockProps& frontProps(const WorldMap& map, const MapBlock& cell) { return map.props()[cell.frontId()]; }
inline bool frontHas(const WorldMap& map, const MapBlock& cell, int bit) { return frontProps(map, cell).has(bit); }
inline bool frontFullyClear(const WorldMap& map, const MapBlock& cell) { return frontProps(map, cell).fullyClear(); }
inline bool frontOpaque(const WorldMap& map, const MapBlock* cell) {
  return cell != nullptr && frontProps(map, *cell).opaque();
}
inline bool hasFrontDecoWith(const WorldMap& map, const MapBlock& cell, int bit) {
  return cell.hasDecoWithFlags(map.props(), flagMask(bit), MapBlock::kFront);
}
// The block itself or a front-side decoration gives the cell a solid part.
inline bool hasSolidPart(const WorldMap& map, const MapBlock& cell) { return cell.isSolid(map.props()); }

// The world's view redraws the cell.
void redraw(World& world, const MapBlock& cell);

}  // namespace placement
