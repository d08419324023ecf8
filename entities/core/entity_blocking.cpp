#include "entities/core/entity_blocking.h"

#include "world/cells/map_block.h"

namespace {
constexpr uint16_t kBeam = 374;
}  // namespace

bool entityHeldFromAbove(const MapBlock& cell) {
  if (cell.frontId() == kBeam && cell.frontVariant() == 0) return true;
  for (MapDeco deco : cell.decos) {
    if (map_deco::id(deco) == kBeam && map_deco::variant(deco) == 0) return true;
  }
  return false;
}
