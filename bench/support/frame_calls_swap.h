#pragma once
// A measurement puts its own table in place of the GL calls a frame makes, and later puts back
// the table it replaced. Only benchmarks do this; the game always draws through GL.

#include <utility>

#include "engine/render/gl_frame_calls.h"

namespace bench {

// Installs calls (every entry must be set) and gives back the table that was in use.
inline engine::GL::FrameCalls swapFrameCalls(const engine::GL::FrameCalls& calls) {
  return std::exchange(engine::GL::detail::activeFrameCalls, calls);
}

}  // namespace bench
