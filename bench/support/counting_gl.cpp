#include "bench/support/counting_gl.h"

#include "bench/support/frame_calls_swap.h"
#include "engine/render/gl_frame_calls.h"
#include "engine/render/gl_state_cache.h"

namespace bench {
namespace {

// The table a measurement replaced, put back when it ends.
engine::GL::FrameCalls gReplaced{};
GLCallCounts gCounts;

void countBind() { ++gCounts.binds; }
void countState() { ++gCounts.stateCalls; }
void countUpload(ptrdiff_t size, const void* data) {
  // An orphaning load (no data) moves nothing.
  if (data == nullptr) return;
  ++gCounts.uploads;
  gCounts.uploadBytes += static_cast<uint64_t>(size);
}

// A failed mapping sends the engine down its plain-load path, so uploads count there once.
constexpr engine::GL::FrameCalls kCountingCalls = {
    [](uint32_t, int32_t, uint32_t, const void*) { ++gCounts.draws; },
    [](uint32_t, uint32_t) { countBind(); },
    [](uint32_t, ptrdiff_t size, const void* data, uint32_t) { countUpload(size, data); },
    [](uint32_t, ptrdiff_t, ptrdiff_t size, const void* data) { countUpload(size, data); },
    [](uint32_t, uint32_t) -> void* { return nullptr; },
    [](uint32_t) -> uint8_t { return 1; },
    [](uint32_t, int32_t, uint32_t, uint8_t, int32_t, const void*) { countState(); },
    [](uint32_t) { countState(); },
    [](uint32_t) { countState(); },
    [](uint32_t) { countBind(); },
    [](uint32_t, uint32_t) { countBind(); },
    [](uint32_t) { countState(); },
    [](uint32_t) { countBind(); },
    [](uint32_t) { countState(); },
    [](uint32_t) { countState(); },
    [](uint32_t, uint32_t) { countState(); },
    [](int32_t, int32_t) { countState(); },
    [](int32_t, float) { countState(); },
    [](int32_t, float, float) { countState(); },
    [](int32_t, float, float, float) { countState(); },
    [](int32_t, float, float, float, float) { countState(); },
    [](int32_t, int32_t, uint8_t, const float*) { countState(); },
};

}  // namespace

CountingGL::CountingGL(bool active) : active_(active) {
  resetCounts();
  if (active_) gReplaced = swapFrameCalls(kCountingCalls);
}

CountingGL::~CountingGL() {
  if (!active_) return;
  swapFrameCalls(gReplaced);
  // The state cache believes the counted calls: a program, buffer or texture it thinks bound never
  // reached GL, and would be skipped by whatever draws next with real GL.
  engine::GL::invalidateStateCache();
}

const GLCallCounts& CountingGL::counts() { return gCounts; }

void CountingGL::resetCounts() { gCounts = GLCallCounts{}; }

}  // namespace bench
