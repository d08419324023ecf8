#include "engine/render/gl_frame_calls.h"

#include <GL/glew.h>

namespace engine::GL {
namespace {

// Entry points are looked up at each call: they are loaded after this table is built.
constexpr FrameCalls kGLFrameCalls = {
    [](uint32_t mode, int32_t count, uint32_t type, const void* offset) {
      glDrawElements(mode, count, type, offset);
    },
    [](uint32_t target, uint32_t buffer) { glBindBuffer(target, buffer); },
    [](uint32_t target, ptrdiff_t size, const void* data, uint32_t usage) {
      glBufferData(target, size, data, usage);
    },
    [](uint32_t target, ptrdiff_t offset, ptrdiff_t size, const void* data) {
      glBufferSubData(target, offset, size, data);
    },
    [](uint32_t target, uint32_t access) { return glMapBuffer(target, access); },
    [](uint32_t target) { return static_cast<uint8_t>(glUnmapBuffer(target)); },
    [](uint32_t index, int32_t size, uint32_t type, uint8_t normalized, int32_t stride,
       const void* offset) { glVertexAttribPointer(index, size, type, normalized, stride, offset); },
    [](uint32_t index) { glEnableVertexAttribArray(index); },
    [](uint32_t index) { glDisableVertexAttribArray(index); },
    [](uint32_t array) { glBindVertexArray(array); },
    [](uint32_t target, uint32_t texture) { glBindTexture(target, texture); },
    [](uint32_t unit) { glActiveTexture(unit); },
    [](uint32_t program) { glUseProgram(program); },
    [](uint32_t capability) { glEnable(capability); },
    [](uint32_t capability) { glDisable(capability); },
    [](uint32_t source, uint32_t destination) { glBlendFunc(source, destination); },
    [](int32_t location, int32_t value) { glUniform1i(location, value); },
    [](int32_t location, float value) { glUniform1f(location, value); },
    [](int32_t location, float x, float y) { glUniform2f(location, x, y); },
    [](int32_t location, float x, float y, float z) { glUniform3f(location, x, y, z); },
    [](int32_t location, float x, float y, float z, float w) { glUniform4f(location, x, y, z, w); },
    [](int32_t location, int32_t count, uint8_t transpose, const float* matrix) {
      glUniformMatrix4fv(location, count, transpose, matrix);
    },
};

}  // namespace

namespace detail {
constinit FrameCalls activeFrameCalls = kGLFrameCalls;
}

}  // namespace engine::GL
