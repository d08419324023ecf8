#include "engine/sprite/texture_atlas.h"

#include <GL/glew.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/base/log.h"
#include "engine/render/configuration.h"
#include "engine/render/gl_frame_calls.h"
#include "engine/render/gl_state_cache.h"
#include "engine/render/texture2d.h"

namespace engine {

namespace {

constexpr size_t kQuadBytes = sizeof(V2F_C4B_T2F_Quad);

}  // namespace

TextureAtlas::~TextureAtlas() {
  deleteBuffers();
  safeRelease(texture_);
}

bool TextureAtlas::initWithTexture(Texture2D* texture, int64_t capacity) {
  if (capacity < 0 || capacity > getMaxCapacity()) {
    log("TextureAtlas: capacity %lld is out of range", static_cast<long long>(capacity));
    return false;
  }
  capacity_ = capacity;
  totalQuads_ = 0;
  setRetained(texture_, texture);
  try {
    quads_.assign(static_cast<size_t>(capacity), V2F_C4B_T2F_Quad{});
    resizeIndices(capacity);
  } catch (const std::bad_alloc&) {
    quads_.clear();
    resizeIndices(0);
    capacity_ = 0;
    safeRelease(texture_);
    return false;
  }
  setupIndices();
  dirty_ = true;
  return true;
}

void TextureAtlas::setTexture(Texture2D* texture) { setRetained(texture_, texture); }

void TextureAtlas::setupIndices() {
  for (int64_t i = 0; i < capacity_; ++i) {
    const auto base = static_cast<uint32_t>(i * 4);
    const int64_t at = i * 6;
    setIndex(at + 0, base);
    setIndex(at + 1, base + 1);
    setIndex(at + 2, base + 2);
    setIndex(at + 3, base + 3);
    setIndex(at + 4, base + 2);
    setIndex(at + 5, base + 1);
  }
}

void TextureAtlas::updateQuad(const V2F_C4B_T2F_Quad& quad, int64_t index) {
  if (index < 0 || index >= capacity_) return;
  quads_[static_cast<size_t>(index)] = quad;
  totalQuads_ = std::max(totalQuads_, index + 1);
  dirty_ = true;
}

void TextureAtlas::insertQuad(const V2F_C4B_T2F_Quad& quad, int64_t index) {
  // Room for one more, and the index inside what is used (or just past it).
  if (index < 0 || index > totalQuads_ || totalQuads_ >= capacity_) return;
  auto* quads = quads_.data();
  const auto moved = static_cast<size_t>(totalQuads_ - index);
  ++totalQuads_;
  if (moved > 0) std::memmove(quads + index + 1, quads + index, moved * kQuadBytes);
  quads[index] = quad;
  dirty_ = true;
}

void TextureAtlas::removeQuadAtIndex(int64_t index) {
  if (index < 0 || index >= totalQuads_) return;
  auto* quads = quads_.data();
  const auto moved = static_cast<size_t>(totalQuads_ - index - 1);
  if (moved > 0) std::memmove(quads + index, quads + index + 1, moved * kQuadBytes);
  --totalQuads_;
  dirty_ = true;
}

bool TextureAtlas::resizeCapacity(int64_t newCapacity) {
  if (newCapacity == capacity_) return true;
  if (newCapacity < 0 || newCapacity > getMaxCapacity()) return false;
  totalQuads_ = std::min(totalQuads_, newCapacity);
  try {
    quads_.resize(static_cast<size_t>(newCapacity), V2F_C4B_T2F_Quad{});
    resizeIndices(newCapacity);
  } catch (const std::bad_alloc&) {
    quads_.clear();
    quads_.shrink_to_fit();
    resizeIndices(0);
    capacity_ = 0;
    totalQuads_ = 0;
    return false;
  }
  capacity_ = newCapacity;
  setupIndices();
  // Buffers that exist must grow with the arrays; missing ones are made at the next draw.
  if (buffers_[0] != 0) mapBuffers();
  dirty_ = true;
  return true;
}

void TextureAtlas::createBuffers() {
  usesVAO_ = Configuration::getInstance()->supportsShareableVAO();
  if (usesVAO_) {
    setupVBOandVAO();
  } else {
    glGenBuffers(2, buffers_);
    mapBuffers();
  }
  dirty_ = true;
}

void TextureAtlas::rebuildBuffers() {
  // The old names died with the old context; forget them rather than delete foreign ones.
  vao_ = 0;
  buffers_[0] = buffers_[1] = 0;
  createBuffers();
}

void TextureAtlas::mapBuffers() {
  GL::bindVAO(0);
  glBindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(kQuadBytes * quads_.size()),
               quads_.data(), GL_DYNAMIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[1]);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER,
               static_cast<GLsizeiptr>(getIndexSize() * 6 * static_cast<size_t>(capacity_)),
               getIndexData(), GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void TextureAtlas::setupVBOandVAO() {
  glGenVertexArrays(1, &vao_);
  GL::bindVAO(vao_);
  glGenBuffers(2, buffers_);
  glBindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(kQuadBytes * quads_.size()),
               quads_.data(), GL_DYNAMIC_DRAW);
  glEnableVertexAttribArray(VERTEX_ATTRIB_POSITION);
  glEnableVertexAttribArray(VERTEX_ATTRIB_COLOR);
  glEnableVertexAttribArray(VERTEX_ATTRIB_TEX_COORD);
  GL::setQuadVertexPointers();
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[1]);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER,
               static_cast<GLsizeiptr>(getIndexSize() * 6 * static_cast<size_t>(capacity_)),
               getIndexData(), GL_STATIC_DRAW);
  GL::bindVAO(0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void TextureAtlas::deleteBuffers() {
  if (buffers_[0] == 0 && vao_ == 0) return;
  glDeleteBuffers(2, buffers_);
  buffers_[0] = buffers_[1] = 0;
  if (vao_ != 0) {
    GL::bindVAO(0);
    glDeleteVertexArrays(1, &vao_);
    vao_ = 0;
  }
}

void TextureAtlas::drawNumberOfQuads(int64_t n, int64_t start) {
  if (n <= 0 || start < 0 || start + n > totalQuads_) return;
  if (buffers_[0] == 0) createBuffers();
  GL::bindTexture2D(texture_ != nullptr ? texture_->getName() : 0);
  const GL::FrameCalls& gl = GL::frameCalls();

  const auto indexOffset = static_cast<uintptr_t>(start) * 6 * getIndexSize();
  const auto indexCount = static_cast<GLsizei>(n * 6);
  if (!usesVAO_ || !Configuration::getInstance()->supportsMapBuffer()) {
    gl.bindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
    if (dirty_) {
      gl.bufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(kQuadBytes * static_cast<size_t>(start)),
                       static_cast<GLsizeiptr>(kQuadBytes * static_cast<size_t>(n)),
                       quads_.data() + start);
      dirty_ = false;
    }
    GL::enableVertexAttribs(VERTEX_ATTRIB_FLAG_POS_COLOR_TEX);
    GL::setQuadVertexPointers();
    gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[1]);
    gl.drawElements(GL_TRIANGLES, indexCount, getGLIndexType(),
                    reinterpret_cast<const void*>(indexOffset));
    gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    gl.bindBuffer(GL_ARRAY_BUFFER, 0);
    return;
  }
  if (dirty_) {
    gl.bindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
    GL::uploadArrayBuffer(quads_.data(), kQuadBytes * static_cast<size_t>(start + n));
    gl.bindBuffer(GL_ARRAY_BUFFER, 0);
    dirty_ = false;
  }
  GL::bindVAO(vao_);
  gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[1]);
  gl.drawElements(GL_TRIANGLES, indexCount, getGLIndexType(),
                  reinterpret_cast<const void*>(indexOffset));
  gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

}  // namespace engine
