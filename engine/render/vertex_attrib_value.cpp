#include "engine/render/vertex_attrib_value.h"

#include <GL/glew.h>

#include "engine/render/gl_program.h"

namespace engine {

VertexAttribValue::VertexAttribValue(VertexAttrib* attrib)
    : attrib_(attrib), name_(attrib != nullptr ? attrib->name : "") {}

void VertexAttribValue::apply() {
  if (!enabled_ || attrib_ == nullptr) return;
  if (useCallback_) {
    if (callback_) callback_(attrib_);
    return;
  }
  glVertexAttribPointer(attrib_->index, size_, type_, normalized_ ? GL_TRUE : GL_FALSE, stride_,
                        pointer_);
}

void VertexAttribValue::setCallback(Callback callback) {
  callback_ = std::move(callback);
  useCallback_ = true;
  enabled_ = true;
}

void VertexAttribValue::setPointer(int32_t size, uint32_t type, bool normalized, int32_t stride,
                                   const void* pointer) {
  size_ = size;
  type_ = type;
  normalized_ = normalized;
  stride_ = stride;
  pointer_ = pointer;
  useCallback_ = false;
  enabled_ = true;
}

}  // namespace engine
