#include "engine/render/gl_state_cache.h"

#include <GL/glew.h>

#include <cstring>

#include "engine/render/configuration.h"
#include "engine/render/gl_frame_calls.h"
#include "engine/render/quad_types.h"
#include "engine/render/render_environment.h"

namespace engine {
namespace {

struct StateCache {
  uint32_t currentProgram = GL::NONE;
  uint32_t blendSource = GL::NONE;
  uint32_t blendDest = GL::NONE;
  bool blendingEnabled = false;
  uint32_t boundTextures[GL::MAX_TEXTURE_UNITS];
  uint32_t activeTexture = GL::NONE;
  uint32_t vertexAttribFlags = 0;
  uint32_t boundVAO = 0;

  StateCache() {
    for (uint32_t& texture : boundTextures) texture = GL::NONE;
  }
};

StateCache& cache() {
  static StateCache instance;
  return instance;
}

}  // namespace

namespace GL {

void invalidateStateCache() {
  StateCache& c = cache();
  getRenderEnvironment()->resetMatrices();
  c.currentProgram = NONE;
  c.blendSource = NONE;
  c.blendDest = NONE;
  for (uint32_t& texture : c.boundTextures) texture = NONE;
  c.vertexAttribFlags = 0;
  c.blendingEnabled = false;
  c.boundVAO = 0;
}

void useProgram(uint32_t program) {
  StateCache& c = cache();
  if (program == c.currentProgram) return;
  c.currentProgram = program;
  frameCalls().useProgram(program);
}

void deleteProgram(uint32_t program) {
  forgetProgram(program);
  glDeleteProgram(program);
}

uint32_t getCurrentProgram() { return cache().currentProgram; }

void forgetProgram(uint32_t program) {
  if (cache().currentProgram == program) cache().currentProgram = NONE;
}

void blendFunc(uint32_t sfactor, uint32_t dfactor) {
  StateCache& c = cache();
  if (sfactor == c.blendSource && dfactor == c.blendDest) return;
  c.blendSource = sfactor;
  c.blendDest = dfactor;
  setBlending(sfactor, dfactor);
}

void setBlending(uint32_t sfactor, uint32_t dfactor) {
  StateCache& c = cache();
  if (sfactor == GL_ONE && dfactor == GL_ZERO) {
    if (c.blendingEnabled) {
      frameCalls().disable(GL_BLEND);
    }
    c.blendingEnabled = false;
    return;
  }
  if (!c.blendingEnabled) {
    frameCalls().enable(GL_BLEND);
  }
  c.blendingEnabled = true;
  frameCalls().blendFunc(sfactor, dfactor);
}

void getBlendFunc(uint32_t* sfactor, uint32_t* dfactor) {
  *sfactor = cache().blendSource;
  *dfactor = cache().blendDest;
}

void bindTexture2D(uint32_t texture) { bindTexture2DN(0, texture); }

void bindTexture2DN(uint32_t textureUnit, uint32_t texture) {
  StateCache& c = cache();
  if (textureUnit >= MAX_TEXTURE_UNITS) return;
  if (c.boundTextures[textureUnit] == texture) return;
  c.boundTextures[textureUnit] = texture;
  const uint32_t unitEnum = GL_TEXTURE0 + textureUnit;
  if (c.activeTexture != unitEnum) {
    c.activeTexture = unitEnum;
    frameCalls().activeTexture(unitEnum);
  }
  frameCalls().bindTexture(GL_TEXTURE_2D, texture);
}

void enableVertexAttribs(uint32_t flags) {
  StateCache& c = cache();
  // Attribute enables belong to the bound vertex array; the plain ones live with array 0.
  if (Configuration::getInstance()->supportsShareableVAO() && c.boundVAO != 0) bindVAO(0);
  for (uint32_t i = 0; i < MAX_TEXTURE_UNITS; ++i) {
    const uint32_t bit = 1u << i;
    const bool wanted = (flags & bit) != 0;
    const bool enabled = (c.vertexAttribFlags & bit) != 0;
    if (wanted == enabled) continue;
    if (wanted) {
      frameCalls().enableVertexAttribArray(i);
    } else {
      frameCalls().disableVertexAttribArray(i);
    }
  }
  c.vertexAttribFlags = flags;
}

uint32_t getEnabledVertexAttribs() { return cache().vertexAttribFlags; }

void bindVAO(uint32_t vaoId) {
  StateCache& c = cache();
  if (!Configuration::getInstance()->supportsShareableVAO()) return;
  if (c.boundVAO == vaoId) return;
  c.boundVAO = vaoId;
  frameCalls().bindVertexArray(vaoId);
}

uint32_t getBoundVAO() { return cache().boundVAO; }

void uploadArrayBuffer(const void* data, size_t size) {
  const FrameCalls& gl = frameCalls();
  const auto byteCount = static_cast<GLsizeiptr>(size);
  if (!Configuration::getInstance()->supportsMapBuffer()) {
    gl.bufferData(GL_ARRAY_BUFFER, byteCount, data, GL_DYNAMIC_DRAW);
    return;
  }
  // Orphan the old storage so the driver need not wait for draws still reading it.
  gl.bufferData(GL_ARRAY_BUFFER, byteCount, nullptr, GL_DYNAMIC_DRAW);
  void* mapped = gl.mapBuffer(GL_ARRAY_BUFFER, GL_WRITE_ONLY);
  if (mapped == nullptr) {
    // A mapping can fail (out of address space); load the plain way instead of losing a frame.
    gl.bufferData(GL_ARRAY_BUFFER, byteCount, data, GL_DYNAMIC_DRAW);
    return;
  }
  std::memcpy(mapped, data, size);
  gl.unmapBuffer(GL_ARRAY_BUFFER);
}

void setQuadVertexPointers() {
  constexpr GLsizei stride = sizeof(V2F_C4B_T2F);
  const auto pointer = frameCalls().vertexAttribPointer;
  pointer(VERTEX_ATTRIB_POSITION, 2, GL_FLOAT, GL_FALSE, stride,
          reinterpret_cast<const void*>(offsetof(V2F_C4B_T2F, vertices)));
  pointer(VERTEX_ATTRIB_COLOR, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
          reinterpret_cast<const void*>(offsetof(V2F_C4B_T2F, colors)));
  pointer(VERTEX_ATTRIB_TEX_COORD, 2, GL_FLOAT, GL_FALSE, stride,
          reinterpret_cast<const void*>(offsetof(V2F_C4B_T2F, texCoords)));
}

}  // namespace GL

void deleteCachedTexture(uint32_t texture) {
  StateCache& c = cache();
  for (uint32_t& bound : c.boundTextures) {
    if (bound == texture) bound = GL::NONE;
  }
  const GLuint name = texture;
  glDeleteTextures(1, &name);
}

}  // namespace engine
