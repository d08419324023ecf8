#include "view/inventory/layout_box.h"

#include "view/inventory/overlay_art.h"

engine::Vec2 layoutPointXY(const LayoutBox& box, float rx, float ry) {
  const float scale = box.followsScale ? overlay_art::uiScale() : 1.0f;
  const float shift = box.centring ? 0.5f : 0.0f;
  return engine::Vec2(((rx - shift) * box.size.width + box.origin.x) * scale,
                      ((ry - shift) * box.size.height + box.origin.y) * scale);
}

engine::Vec2 layoutPoint(const LayoutBox& box, const engine::Vec2& relative) {
  return layoutPointXY(box, relative.x, relative.y);
}
