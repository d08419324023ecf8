#include "content/art/interface_layout.h"

#include <algorithm>
#include <cmath>

namespace art {

engine::Rect slotFrameRect(uint8_t slotKind, bool normal) {
  for (const SlotKindFrames& row : kSlotKindFrames) {
    if (row.slotKind == slotKind) return normal ? row.normal : row.other;
  }
  return {};
}

engine::Rect durabilityBarRect(float durability, float maximum) {
  const float fraction = maximum > 0 ? std::clamp(durability / maximum, 0.0f, 1.0f) : 1.0f;
  const int x = 417 + 4 * int(std::trunc(fraction * -15.0f));
  return {float(x), 314, 4, 16};
}

engine::Rect healthBarRect(float width) {
  return {0, 0, std::clamp(width, 1.0f, float(kHealthBarStripWidth)), 2};
}

engine::Rect uiSpriteRect(uint16_t id, uint32_t variant) {
  for (const UiSpriteFamily& family : kUiSpriteFamilies) {
    const bool outlines = family.id == kOutlineSpriteBase;
    int index = 0;
    if (outlines) {
      if (id < family.id || id >= family.id + family.count) continue;
      index = id - family.id;
    } else {
      if (id != family.id) continue;
      index = int(variant % uint32_t(family.count));
    }
    const int column = index % kUiSpriteColumns;
    const int row = family.row + index / kUiSpriteColumns;
    const float x = float(kUiSpriteX + column * kUiSpriteCell) + (kUiSpriteCell - family.size.width) / 2;
    const float y = float(row * kUiSpriteCell) + (kUiSpriteCell - family.size.height) / 2;
    return {std::floor(x), std::floor(y), family.size.width, family.size.height};
  }
  return {};
}

}  // namespace art
