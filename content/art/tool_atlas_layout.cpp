#include "content/art/tool_atlas_layout.h"

namespace art {

bool hasTurnedTool(const engine::Rect& picture) {
  return picture.origin.x >= 0 && picture.origin.y >= 0 && picture.size.width > 0 && picture.size.height > 0 &&
         picture.getMaxX() <= kUprightToolWidth && picture.getMaxY() <= kUprightToolHeight;
}

engine::Rect turnedToolRect(const engine::Rect& picture) {
  return {kUprightToolWidth + 2 * picture.origin.x, 2 * picture.origin.y, 2 * picture.size.width,
          2 * picture.size.height};
}

}  // namespace art
