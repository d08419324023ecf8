#pragma once
// Rotation of 2D points: by a unit vector (complex multiplication), by an angle, about a pivot.

#include "engine/base/geometry.h"

namespace engine {

// (x, y) by (c, s) gives (x c - y s, y c + x s).
Vec2 rotateByVector(const Vec2& point, const Vec2& rotation);
// The unit vector (cos a, sin a) of an angle in radians.
Vec2 vec2ForAngle(float radians);
// The point turned by angle radians about pivot.
Vec2 rotateVec2(const Vec2& point, const Vec2& pivot, float radians);

}  // namespace engine
