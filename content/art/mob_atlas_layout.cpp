#include "content/art/mob_atlas_layout.h"

#include <algorithm>

#include "content/tables/mob_def.h"

namespace art {

engine::Rect mobAtlasCell(uint32_t mobRow) {
  const uint32_t cells = kMobCellColumns * kMobCellColumns;
  if (mobRow >= cells) return {};
  return {float((mobRow % kMobCellColumns) * kMobCellSize), float((mobRow / kMobCellColumns) * kMobCellSize),
          float(kMobCellSize), float(kMobCellSize)};
}

std::vector<MobPartPicture> mobPartPictures(const MobPartLayout& layout) {
  std::vector<MobPartPicture> pictures;
  for (const MobAnimation& animation : layout.animations) {
    for (size_t part = 0; part < animation.frames.size(); ++part) {
      const MobPartFrame& frame = animation.frames[part];
      const engine::Rect rect(mobFrameRect(frame, 0), mobFrameRect(frame, 1), mobFrameRect(frame, 2),
                              mobFrameRect(frame, 3));
      const bool known = std::any_of(pictures.begin(), pictures.end(),
                                     [&](const MobPartPicture& p) { return p.rect == rect; });
      if (!known) pictures.push_back({uint8_t(part), rect});
    }
  }
  return pictures;
}

}  // namespace art
