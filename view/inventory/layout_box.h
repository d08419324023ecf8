#pragma once
// A frame that interface pieces are placed in by relative positions: an origin and a size in
// interface points, whether it follows the interface scale, and whether relative positions count
// from its centre. The achievement banner and the inventory windows lay themselves out in one.

#include "engine/base/geometry.h"

struct LayoutBox {
  engine::Vec2 origin;
  engine::Size size;
  bool followsScale = true;  // points times the interface scale; else plain points
  bool centring = false;     // (0.5, 0.5) is the origin when set
};

// The point of a relative position (rx, ry) in the box: ((rx - 0.5 when centring) x width + x)
// x scale, and the same for y.
engine::Vec2 layoutPointXY(const LayoutBox& box, float rx, float ry);
engine::Vec2 layoutPoint(const LayoutBox& box, const engine::Vec2& relative);
