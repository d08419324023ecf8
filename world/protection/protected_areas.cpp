#include "world/protection/protected_areas.h"

#include <algorithm>
#include <cstdlib>

#include "world/seams/world_options.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

struct ProtectionBlock {
  uint16_t blockId;
  uint8_t size;
};

constexpr ProtectionBlock kProtectionBlocks[] = {{1, 10}, {2, 20}, {3, 40}, {4, 80}};

// b - a folded into -W/2..W/2.
int32_t wrappedColumnDistance(int32_t a, int32_t b, int32_t width) {
  int32_t d = b - a;
  if (d > width / 2) d -= width;
  if (d < -width / 2) d += width;
  return d;
}

}  // namespace

uint8_t protectionSizeFor(uint16_t blockId) {
  for (const ProtectionBlock& row : kProtectionBlocks) {
    if (row.blockId == blockId) return row.size;
  }
  return 0;
}

bool ProtectedAreas::coversCell(const ProtectedArea& area, int32_t x, int32_t y) const {
  const int32_t half = area.size / 2;
  const int32_t dx = wrappedColumnDistance(area.centreX, map_.wrapX(x), map_.width());
  const int32_t top = std::max(0, area.centreY - half);
  const int32_t bottom = std::min(map_.height() - 1, area.centreY + half);
  return std::abs(dx) <= half && y >= top && y <= bottom;
}

bool ProtectedAreas::isProtectedAt(int32_t x, int32_t y) const {
  if (world_.options().worldLock()) return true;
  const MapBlock* cell = map_.cellAt(x, y);
  if (cell != nullptr && cell->hasDeco(kLockBlock, MapBlock::kFront)) return true;
  return std::any_of(areas_.begin(), areas_.end(),
                     [&](const ProtectedArea& area) { return coversCell(area, x, y); });
}

void ProtectedAreas::add(const MapBlock& cell, uint8_t size) { areas_.push_back({cell.x, cell.y, size}); }

void ProtectedAreas::removeAt(const MapBlock& cell) {
  std::erase_if(areas_, [&](const ProtectedArea& a) { return a.centreX == cell.x && a.centreY == cell.y; });
}
