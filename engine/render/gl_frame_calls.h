#pragma once
// The GL calls a frame makes (draws, buffer and texture binds, uploads, program and blend state,
// uniform writes) go through one table of function pointers. It normally forwards to GL; a
// measurement (the benchmarks, never the game) swaps in a table of counters and so sees the
// engine's own CPU time per frame without the driver's. Set-up calls (creating and deleting objects, queries) call GL
// directly. Main thread only, like the rest of the GL stack.

#include <cstddef>
#include <cstdint>

namespace engine::GL {

struct FrameCalls {
  void (*drawElements)(uint32_t mode, int32_t count, uint32_t type, const void* offset);
  void (*bindBuffer)(uint32_t target, uint32_t buffer);
  void (*bufferData)(uint32_t target, ptrdiff_t size, const void* data, uint32_t usage);
  void (*bufferSubData)(uint32_t target, ptrdiff_t offset, ptrdiff_t size, const void* data);
  void* (*mapBuffer)(uint32_t target, uint32_t access);
  uint8_t (*unmapBuffer)(uint32_t target);
  void (*vertexAttribPointer)(uint32_t index, int32_t size, uint32_t type, uint8_t normalized,
                              int32_t stride, const void* offset);
  void (*enableVertexAttribArray)(uint32_t index);
  void (*disableVertexAttribArray)(uint32_t index);
  void (*bindVertexArray)(uint32_t array);
  void (*bindTexture)(uint32_t target, uint32_t texture);
  void (*activeTexture)(uint32_t unit);
  void (*useProgram)(uint32_t program);
  void (*enable)(uint32_t capability);
  void (*disable)(uint32_t capability);
  void (*blendFunc)(uint32_t source, uint32_t destination);
  void (*uniform1i)(int32_t location, int32_t value);
  void (*uniform1f)(int32_t location, float value);
  void (*uniform2f)(int32_t location, float x, float y);
  void (*uniform3f)(int32_t location, float x, float y, float z);
  void (*uniform4f)(int32_t location, float x, float y, float z, float w);
  void (*uniformMatrix4fv)(int32_t location, int32_t count, uint8_t transpose,
                           const float* matrix);
};

namespace detail {
extern FrameCalls activeFrameCalls;
}

// The table in use: one load and an indirect call, as GL entry points cost anyway.
inline const FrameCalls& frameCalls() { return detail::activeFrameCalls; }

}  // namespace engine::GL
