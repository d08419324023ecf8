#include "engine/base/vec2_rotation.h"

#include <cmath>

namespace engine {

Vec2 rotateByVector(const Vec2& point, const Vec2& rotation) {
  return {point.x * rotation.x - point.y * rotation.y, point.y * rotation.x + point.x * rotation.y};
}

Vec2 vec2ForAngle(float radians) { return {std::cos(radians), std::sin(radians)}; }

Vec2 rotateVec2(const Vec2& point, const Vec2& pivot, float radians) {
  return rotateByVector(point - pivot, vec2ForAngle(radians)) + pivot;
}

}  // namespace engine
