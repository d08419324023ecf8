#pragma once
// The one vertex and quad layout shared by sprites, labels, atlases and the renderer. The byte
// layout is what the GPU reads through the attribute pointers, so it is pinned by static_asserts.

#include <cstddef>
#include <cstdint>

#include "engine/base/geometry.h"

namespace engine {

struct Tex2F {
  float u = 0.0f;
  float v = 0.0f;
};

struct Vertex2F {
  float x = 0.0f;
  float y = 0.0f;
};

// One vertex: position (attribute 0), colour (attribute 1, normalised bytes), texture
// coordinate (attribute 2).
struct V2F_C4B_T2F {
  Vertex2F vertices;
  Color4B colors;
  Tex2F texCoords;
};

// Four vertices in the order top-left, bottom-left, top-right, bottom-right (y grows upwards).
struct V2F_C4B_T2F_Quad {
  V2F_C4B_T2F tl;
  V2F_C4B_T2F bl;
  V2F_C4B_T2F tr;
  V2F_C4B_T2F br;
};

// The same corners named one place round. Drawn with the fixed index order (tl, bl, tr),
// (br, tr, bl), a quad splits along its bl-tr diagonal; this one splits along tl-br.
inline V2F_C4B_T2F_Quad splitAlongOtherDiagonal(const V2F_C4B_T2F_Quad& quad) {
  return {quad.bl, quad.br, quad.tl, quad.tr};
}

static_assert(sizeof(V2F_C4B_T2F) == 20, "vertex layout is read by the GPU");
static_assert(offsetof(V2F_C4B_T2F, colors) == 8, "colour attribute offset");
static_assert(offsetof(V2F_C4B_T2F, texCoords) == 12, "texture attribute offset");
static_assert(sizeof(V2F_C4B_T2F_Quad) == 80, "quad layout is read by the GPU");

// Source and destination blend factors as GL enum values.
struct BlendFunc {
  uint32_t src = 1;  // GL_ONE
  uint32_t dst = 0;  // GL_ZERO
  constexpr bool operator==(const BlendFunc&) const = default;

  static const BlendFunc DISABLE;             // GL_ONE, GL_ZERO
  static const BlendFunc ALPHA_PREMULTIPLIED; // GL_ONE, GL_ONE_MINUS_SRC_ALPHA
  static const BlendFunc ALPHA_NON_PREMULTIPLIED;  // GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA
  static const BlendFunc ADDITIVE;            // GL_SRC_ALPHA, GL_ONE
};

// Fixed attribute indices bound before every link.
enum VertexAttribIndex : uint32_t {
  VERTEX_ATTRIB_POSITION = 0,
  VERTEX_ATTRIB_COLOR = 1,
  VERTEX_ATTRIB_TEX_COORD = 2,
  VERTEX_ATTRIB_NORMAL = 3,
};

constexpr uint32_t VERTEX_ATTRIB_FLAG_POS_COLOR_TEX = 7;

}  // namespace engine
