#include "content/art/mob_atlas_layout.h"

namespace art {

engine::Rect mobAtlasCell(uint32_t mobRow) {
  const uint32_t cells = kMobCellColumns * kMobCellColumns;
  if (mobRow >= cells) return {};
  return {float((mobRow % kMobCellColumns) * kMobCellSize), float((mobRow / kMobCellColumns) * kMobCellSize),
          float(kMobCellSize), float(kMobCellSize)};
}

}  // namespace art
