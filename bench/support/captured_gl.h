#pragma once
// While one of these lives, the frame's GL calls reach a recording table instead of GL: the bytes
// loaded into vertex buffers and every draw (the texture bound, the index count and offset). An
// engine frame and its baseline frame, each captured once before timing, must hand GL the same:
// otherwise the comparison would time two different pieces of work.

#include <cstdint>
#include <vector>

namespace bench {

struct CapturedDraw {
  uint32_t texture = 0;
  int32_t count = 0;
  const void* offset = nullptr;
  bool operator==(const CapturedDraw&) const = default;
};

struct CapturedFrame {
  std::vector<unsigned char> vertexBytes;  // every load in order, sub-loads at their offsets
  std::vector<CapturedDraw> draws;
  bool operator==(const CapturedFrame&) const = default;
};

class CapturedGL {
 public:
  CapturedGL();
  ~CapturedGL();
  CapturedGL(const CapturedGL&) = delete;
  CapturedGL& operator=(const CapturedGL&) = delete;

  const CapturedFrame& frame() const;
};

// Runs the frame under a CapturedGL and returns what it handed GL.
template <typename Frame>
CapturedFrame captureFrame(Frame&& frame) {
  CapturedGL capture;
  frame();
  return capture.frame();
}

}  // namespace bench
