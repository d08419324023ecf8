#include "entities/core/entity_blocking.h"

#include "world/cells/cell_sides.h"

namespace {

constexpr uint16_t kTrapdoor = 2090;
constexpr uint16_t kHatch = 2118;
constexpr uint16_t kBeam = 374;

bool closedTrapdoor(const MapBlock& cell) { return cell.frontId() == kTrapdoor && cell.frontVariant() == 1; }

bool hatchIn(const MapBlock& cell, uint8_t state) { return cell.frontId() == kHatch && cell.blockState() == state; }

}  // namespace

bool entityBlockedFromBelow(const MapBlock* cell, const BlockPropsTable& props) {
  return cell != nullptr && (blocksEntryFromBelow(cell, props) || closedTrapdoor(*cell));
}

bool entityBlockedFromAbove(const MapBlock* cell, const BlockPropsTable& props) {
  return cell != nullptr && (blocksEntryFromAbove(cell, props) || closedTrapdoor(*cell));
}

bool entityBlockedFromLeft(const MapBlock* cell, const BlockPropsTable& props) {
  return cell != nullptr && (blocksEntryFromSide(cell, props) || hatchIn(*cell, 3) || closedTrapdoor(*cell));
}

bool entityBlockedFromRight(const MapBlock* cell, const BlockPropsTable& props) {
  return cell != nullptr && (blocksEntryFromSide(cell, props) || hatchIn(*cell, 1) || closedTrapdoor(*cell));
}

bool entityBlockedExitLeft(const MapBlock* cell, const BlockPropsTable& props) { return blocksExitSide(cell, props); }

bool entityBlockedExitRight(const MapBlock* cell, const BlockPropsTable& props) { return blocksExitSide(cell, props); }

bool entityHeldFromAbove(const MapBlock& cell) {
  if (cell.frontId() == kBeam && cell.frontVariant() == 0) return true;
  for (MapDeco deco : cell.decos) {
    if (map_deco::id(deco) == kBeam && map_deco::variant(deco) == 0) return true;
  }
  return false;
}
