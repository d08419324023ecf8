#include "engine/base/geometry.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace engine {

const Vec2 Vec2::ZERO{};
const Size Size::ZERO{};
const Color3B Color3B::WHITE{255, 255, 255};
const Color3B Color3B::BLACK{0, 0, 0};
const Color4B Color4B::WHITE{255, 255, 255, 255};
const AffineTransform AffineTransform::IDENTITY{};
const Mat4 Mat4::IDENTITY{};

bool Rect::containsPoint(const Vec2& point) const {
  return point.x >= getMinX() && point.x <= getMaxX() && point.y >= getMinY() &&
         point.y <= getMaxY();
}

Vec2 PointApplyAffineTransform(const Vec2& p, const AffineTransform& t) {
  return {t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty};
}

Rect RectApplyAffineTransform(const Rect& rect, const AffineTransform& t) {
  const float top = rect.getMaxY();
  const float left = rect.getMinX();
  const float right = rect.getMaxX();
  const float bottom = rect.getMinY();
  const Vec2 corners[4] = {
      PointApplyAffineTransform({left, top}, t), PointApplyAffineTransform({right, top}, t),
      PointApplyAffineTransform({left, bottom}, t), PointApplyAffineTransform({right, bottom}, t)};
  float minX = corners[0].x, maxX = corners[0].x, minY = corners[0].y, maxY = corners[0].y;
  for (const Vec2& c : corners) {
    minX = std::min(minX, c.x);
    maxX = std::max(maxX, c.x);
    minY = std::min(minY, c.y);
    maxY = std::max(maxY, c.y);
  }
  return {minX, minY, maxX - minX, maxY - minY};
}

AffineTransform AffineTransformInvert(const AffineTransform& t) {
  const float det = 1.0f / (t.a * t.d - t.b * t.c);
  return {det * t.d,  -det * t.b, -det * t.c, det * t.a, det * (t.c * t.ty - t.d * t.tx),
          det * (t.b * t.tx - t.a * t.ty)};
}

void Mat4::setIdentity() { *this = IDENTITY; }

Vec4 Mat4::transformVector(float x, float y, float z, float w) const {
  Vec4 out;
  float* dst[4] = {&out.x, &out.y, &out.z, &out.w};
  for (int r = 0; r < 4; ++r) {
    *dst[r] = x * m[r] + y * m[4 + r] + z * m[8 + r] + w * m[12 + r];
  }
  return out;
}

bool Mat4::inverse() {
  const float a0 = m[0] * m[5] - m[1] * m[4];
  const float a1 = m[0] * m[6] - m[2] * m[4];
  const float a2 = m[0] * m[7] - m[3] * m[4];
  const float a3 = m[1] * m[6] - m[2] * m[5];
  const float a4 = m[1] * m[7] - m[3] * m[5];
  const float a5 = m[2] * m[7] - m[3] * m[6];
  const float b0 = m[8] * m[13] - m[9] * m[12];
  const float b1 = m[8] * m[14] - m[10] * m[12];
  const float b2 = m[8] * m[15] - m[11] * m[12];
  const float b3 = m[9] * m[14] - m[10] * m[13];
  const float b4 = m[9] * m[15] - m[11] * m[13];
  const float b5 = m[10] * m[15] - m[11] * m[14];

  const float det = a0 * b5 - a1 * b4 + a2 * b3 + a3 * b2 - a4 * b1 + a5 * b0;
  if (std::fabs(det) <= 2e-37f) return false;

  float adj[16];
  adj[0] = m[5] * b5 - m[6] * b4 + m[7] * b3;
  adj[1] = -m[1] * b5 + m[2] * b4 - m[3] * b3;
  adj[2] = m[13] * a5 - m[14] * a4 + m[15] * a3;
  adj[3] = -m[9] * a5 + m[10] * a4 - m[11] * a3;
  adj[4] = -m[4] * b5 + m[6] * b2 - m[7] * b1;
  adj[5] = m[0] * b5 - m[2] * b2 + m[3] * b1;
  adj[6] = -m[12] * a5 + m[14] * a2 - m[15] * a1;
  adj[7] = m[8] * a5 - m[10] * a2 + m[11] * a1;
  adj[8] = m[4] * b4 - m[5] * b2 + m[7] * b0;
  adj[9] = -m[0] * b4 + m[1] * b2 - m[3] * b0;
  adj[10] = m[12] * a4 - m[13] * a2 + m[15] * a0;
  adj[11] = -m[8] * a4 + m[9] * a2 - m[11] * a0;
  adj[12] = -m[4] * b3 + m[5] * b1 - m[6] * b0;
  adj[13] = m[0] * b3 - m[1] * b1 + m[2] * b0;
  adj[14] = -m[12] * a3 + m[13] * a1 - m[14] * a0;
  adj[15] = m[8] * a3 - m[9] * a1 + m[10] * a0;

  MathUtil::multiplyMatrixByScalar(adj, 1.0f / det, m);
  return true;
}

Mat4 Mat4::getInversed() const {
  Mat4 copy = *this;
  copy.inverse();
  return copy;
}

void MathUtil::multiplyMatrix(const float* m1, const float* m2, float* dst) {
  float product[16];
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      product[c * 4 + r] = m1[r] * m2[c * 4] + m1[4 + r] * m2[c * 4 + 1] +
                           m1[8 + r] * m2[c * 4 + 2] + m1[12 + r] * m2[c * 4 + 3];
    }
  }
  std::copy(product, product + 16, dst);
}

// Bit for bit, which takes a few integer compares where float compares take a branch pair
// each: a matrix holding -0 where 0 stands is only sent to the general product, still right.
bool MathUtil::isPlanar(const float* m) {
  uint64_t columnTops[2];
  uint32_t rest[4];
  std::memcpy(&columnTops[0], m + 2, 8);
  std::memcpy(&columnTops[1], m + 6, 8);
  std::memcpy(rest, m + 8, 16);
  uint32_t bottom;
  std::memcpy(&bottom, m + 15, 4);
  constexpr uint32_t kOne = 0x3F800000u;  // 1.0f
  return (columnTops[0] | columnTops[1] | rest[0] | rest[1] | rest[3]) == 0 && rest[2] == kOne &&
         bottom == kOne;
}

void MathUtil::multiplyByPlanar(const float* m1, const float* m2, float* dst) {
  multiplyByPlanar(m1, m2[0], m2[1], m2[4], m2[5], m2[12], m2[13], m2[14], dst);
}

void MathUtil::multiplyMatrixByScalar(const float* m, float scalar, float* dst) {
  for (int i = 0; i < 16; ++i) dst[i] = m[i] * scalar;
}

Mat4 operator*(const Mat4& lhs, const Mat4& rhs) {
  Mat4 out;
  MathUtil::multiplyMatrix(lhs.m, rhs.m, out.m);
  return out;
}

}  // namespace engine
