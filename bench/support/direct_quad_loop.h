#pragma once
// The baseline the renderer is measured against: the least a game loop without an engine does
// to draw the same quads. Each frame it writes every quad's world-space vertices into one
// array (the same bytes the renderer builds), loads them with one upload and draws one run per
// texture change. Its GL calls go through the same call table as the engine's, and through the
// state cache, so it leaves GL as the engine expects it and can be timed frame by frame beside it.

#include <cstdint>
#include <vector>

#include "engine/render/quad_types.h"

namespace engine {
class GLProgram;
}

namespace bench {

// A quad in its own space and the 2D part of the transform that takes it to the world.
struct PlacedQuad {
  engine::V2F_C4B_T2F_Quad local;
  float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
  uint32_t texture = 0;
};

class DirectQuadLoop {
 public:
  // Needs the bench GL context (opened here if it is not yet).
  explicit DirectQuadLoop(size_t capacity);
  ~DirectQuadLoop();
  DirectQuadLoop(const DirectQuadLoop&) = delete;
  DirectQuadLoop& operator=(const DirectQuadLoop&) = delete;

  // The vertex data of one frame: every quad moved to world space.
  void prepare(const std::vector<PlacedQuad>& quads);
  // One upload, then one draw per run of equal texture.
  void draw(const std::vector<PlacedQuad>& quads);

 private:
  engine::GLProgram* program_;
  std::vector<engine::V2F_C4B_T2F_Quad> world_;
  uint32_t buffers_[2] = {};
};

}  // namespace bench
