#pragma once
// While one of these lives, the frame's GL calls (draws, binds, uploads, state and uniform
// writes) only count; without the driver's work the engine's own CPU time per frame shows.
// With `active` false it leaves GL in place, so one benchmark body serves both ways.

#include <cstdint>

namespace bench {

struct GLCallCounts {
  uint64_t draws = 0;
  uint64_t binds = 0;       // buffers, textures, vertex arrays, programs
  uint64_t uploads = 0;     // buffer loads
  uint64_t uploadBytes = 0;
  uint64_t stateCalls = 0;  // everything else: blend, attributes, uniforms
};

class CountingGL {
 public:
  explicit CountingGL(bool active);
  ~CountingGL();
  CountingGL(const CountingGL&) = delete;
  CountingGL& operator=(const CountingGL&) = delete;

  bool active() const { return active_; }
  // Counted since the last reset (zero when not active).
  static const GLCallCounts& counts();
  static void resetCounts();

 private:
  bool active_;
};

}  // namespace bench
