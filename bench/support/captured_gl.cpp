#include "bench/support/captured_gl.h"

#include <GL/glew.h>

#include <cstring>

#include "bench/support/frame_calls_swap.h"
#include "engine/render/gl_frame_calls.h"
#include "engine/render/gl_state_cache.h"

namespace bench {
namespace {

// The table a measurement replaced, put back when it ends.
engine::GL::FrameCalls gReplaced{};
CapturedFrame gFrame;
uint32_t gBoundTexture = 0;
// Where the current load starts in gFrame.vertexBytes: a sub-load lands at its offset from there.
size_t gLoadStart = 0;

void load(ptrdiff_t size, const void* data) {
  // An orphaning load (no data) moves nothing; a mapping is refused below, so data follows.
  if (data == nullptr) return;
  gLoadStart = gFrame.vertexBytes.size();
  const auto* bytes = static_cast<const unsigned char*>(data);
  gFrame.vertexBytes.insert(gFrame.vertexBytes.end(), bytes, bytes + size);
}

void subLoad(ptrdiff_t offset, ptrdiff_t size, const void* data) {
  const size_t end = gLoadStart + static_cast<size_t>(offset + size);
  if (gFrame.vertexBytes.size() < end) gFrame.vertexBytes.resize(end);
  std::memcpy(gFrame.vertexBytes.data() + gLoadStart + offset, data, static_cast<size_t>(size));
}

// Only the array buffer's loads are the frame's vertices; the rest of the calls change nothing
// that is compared.
constexpr engine::GL::FrameCalls kCapturingCalls = {
    [](uint32_t, int32_t count, uint32_t, const void* offset) {
      gFrame.draws.push_back({gBoundTexture, count, offset});
    },
    [](uint32_t, uint32_t) {},
    [](uint32_t target, ptrdiff_t size, const void* data, uint32_t) {
      if (target == GL_ARRAY_BUFFER) load(size, data);
    },
    [](uint32_t target, ptrdiff_t offset, ptrdiff_t size, const void* data) {
      if (target == GL_ARRAY_BUFFER) subLoad(offset, size, data);
    },
    [](uint32_t, uint32_t) -> void* { return nullptr; },
    [](uint32_t) -> uint8_t { return 1; },
    [](uint32_t, int32_t, uint32_t, uint8_t, int32_t, const void*) {},
    [](uint32_t) {},
    [](uint32_t) {},
    [](uint32_t) {},
    [](uint32_t, uint32_t texture) { gBoundTexture = texture; },
    [](uint32_t) {},
    [](uint32_t) {},
    [](uint32_t) {},
    [](uint32_t) {},
    [](uint32_t, uint32_t) {},
    [](int32_t, int32_t) {},
    [](int32_t, float) {},
    [](int32_t, float, float) {},
    [](int32_t, float, float, float) {},
    [](int32_t, float, float, float, float) {},
    [](int32_t, int32_t, uint8_t, const float*) {},
};

}  // namespace

CapturedGL::CapturedGL() {
  gFrame = CapturedFrame{};
  gLoadStart = 0;
  // Binds the cache believes made would not reach the table: start from nothing bound.
  engine::GL::invalidateStateCache();
  gBoundTexture = 0;
  gReplaced = swapFrameCalls(kCapturingCalls);
}

CapturedGL::~CapturedGL() {
  swapFrameCalls(gReplaced);
  // The state cache believes the recorded calls, which never reached GL.
  engine::GL::invalidateStateCache();
}

const CapturedFrame& CapturedGL::frame() const { return gFrame; }

}  // namespace bench
