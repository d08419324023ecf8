#pragma once
// The least a game loop does to draw quads that stand still while the camera moves: they are
// uploaded once into a static buffer, in their own space, and each frame sets one matrix (the
// camera's) and draws one run per texture change. The still frame of the tile window is held
// against it. GL calls go through the same call table and state cache as the engine's.

#include <cstdint>
#include <vector>

#include "bench/support/direct_quad_loop.h"
#include "engine/base/geometry.h"

namespace engine {
class GLProgram;
}

namespace bench {

class StaticQuadBuffer {
 public:
  // Needs the bench GL context (opened here if it is not yet). The quads' own transforms are
  // not read: they are drawn where their vertices say, moved by the camera only.
  explicit StaticQuadBuffer(const std::vector<PlacedQuad>& quads);
  ~StaticQuadBuffer();
  StaticQuadBuffer(const StaticQuadBuffer&) = delete;
  StaticQuadBuffer& operator=(const StaticQuadBuffer&) = delete;

  // One frame with the camera moved right and up by `camera` (the quads move the other way).
  void draw(const engine::Vec2& camera);

 private:
  struct Run {
    uint32_t texture = 0;
    size_t first = 0;
    size_t count = 0;
  };

  engine::GLProgram* program_;
  std::vector<Run> runs_;
  uint32_t buffers_[2] = {};
};

}  // namespace bench
