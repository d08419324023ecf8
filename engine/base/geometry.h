#pragma once
// The engine's value types and the free functions over them.

#include <cstdint>

namespace engine {

struct Vec2 {
  float x = 0.0f;
  float y = 0.0f;

  constexpr Vec2() = default;
  constexpr Vec2(float px, float py) : x(px), y(py) {}

  constexpr Vec2 operator+(const Vec2& o) const { return {x + o.x, y + o.y}; }
  constexpr Vec2 operator-(const Vec2& o) const { return {x - o.x, y - o.y}; }
  constexpr Vec2 operator*(float s) const { return {x * s, y * s}; }
  constexpr bool operator==(const Vec2&) const = default;
  static const Vec2 ZERO;
};

struct Size {
  float width = 0.0f;
  float height = 0.0f;

  constexpr Size() = default;
  constexpr Size(float w, float h) : width(w), height(h) {}
  constexpr bool operator==(const Size&) const = default;
  static const Size ZERO;
};

struct Rect {
  Vec2 origin;
  Size size;

  constexpr Rect() = default;
  constexpr Rect(float x, float y, float w, float h) : origin(x, y), size(w, h) {}

  constexpr float getMinX() const { return origin.x; }
  constexpr float getMinY() const { return origin.y; }
  constexpr float getMaxX() const { return origin.x + size.width; }
  constexpr float getMaxY() const { return origin.y + size.height; }
  // Edges count as inside.
  bool containsPoint(const Vec2& point) const;
  constexpr bool operator==(const Rect&) const = default;
};

struct Color3B {
  uint8_t r = 0, g = 0, b = 0;
  constexpr bool operator==(const Color3B&) const = default;
  static const Color3B WHITE;
  static const Color3B BLACK;
};

struct Color4B {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  constexpr bool operator==(const Color4B&) const = default;
  static const Color4B WHITE;
};

struct Color4F {
  float r = 0, g = 0, b = 0, a = 0;
  constexpr bool operator==(const Color4F&) const = default;
};

// x' = a x + c y + tx, y' = b x + d y + ty
struct AffineTransform {
  float a = 1, b = 0, c = 0, d = 1;
  float tx = 0, ty = 0;
  static const AffineTransform IDENTITY;
};

Vec2 PointApplyAffineTransform(const Vec2& point, const AffineTransform& t);
Rect RectApplyAffineTransform(const Rect& rect, const AffineTransform& t);
AffineTransform AffineTransformInvert(const AffineTransform& t);

struct Vec4 {
  float x = 0, y = 0, z = 0, w = 0;
};

// Column-major: element m[c * 4 + r] is column c, row r; translation in m[12..14].
struct Mat4 {
  float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

  void setIdentity();
  Vec4 transformVector(float x, float y, float z, float w) const;
  // Inverts in place; a matrix whose determinant is (nearly) zero stays as it is and gives false.
  bool inverse();
  Mat4 getInversed() const;
  static const Mat4 IDENTITY;
};

struct MathUtil {
  // dst = m1 x m2; dst may alias either operand.
  static void multiplyMatrix(const float* m1, const float* m2, float* dst);
  // Whether m moves, turns and scales in the plane only (with any z offset): its z column and
  // bottom row are those of the identity, as every node's own transform is.
  static bool isPlanar(const float* m);
  // dst = m1 x m2 for a planar m2, in about a third of the general product's work; equal to it
  // but for the sign of a zero. dst may alias either operand.
  static void multiplyByPlanar(const float* m1, const float* m2, float* dst);
  // The same, with m2 given by its planar entries: m2[0], m2[1], m2[4], m2[5], m2[12..14].
  // Inline: a scene's visit runs it for every node that moved, every frame.
  static void multiplyByPlanar(const float* m1, float a, float b, float c, float d, float x,
                               float y, float z, float* dst) {
    // Whole before any of dst is written, as dst may be m1.
    float product[16];
    for (int r = 0; r < 4; ++r) {
      product[r] = m1[r] * a + m1[4 + r] * b;
      product[4 + r] = m1[r] * c + m1[4 + r] * d;
      product[8 + r] = m1[8 + r];
      product[12 + r] = m1[r] * x + m1[4 + r] * y + m1[8 + r] * z + m1[12 + r];
    }
    for (int i = 0; i < 16; ++i) dst[i] = product[i];
  }
  static void multiplyMatrixByScalar(const float* m, float scalar, float* dst);
};

Mat4 operator*(const Mat4& lhs, const Mat4& rhs);

}  // namespace engine
