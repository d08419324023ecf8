#include "engine/render/uniform_value.h"

#include <GL/glew.h>

#include <cstring>

#include "engine/render/gl_program.h"

namespace engine {

UniformValue::UniformValue(Uniform* uniform, GLProgram* program)
    : uniform_(uniform), program_(program), name_(uniform != nullptr ? uniform->name : "") {}

void UniformValue::apply() {
  if (useCallback_) {
    if (callback_) callback_(program_, uniform_);
    return;
  }
  if (uniform_ == nullptr || program_ == nullptr) return;
  const int32_t location = uniform_->location;
  switch (uniform_->type) {
    case GL_INT:
      program_->setUniformLocationWith1i(location, intValue_);
      break;
    case GL_FLOAT:
      program_->setUniformLocationWith1f(location, floats_[0]);
      break;
    case GL_FLOAT_VEC2:
      program_->setUniformLocationWith2f(location, floats_[0], floats_[1]);
      break;
    case GL_FLOAT_VEC3:
      program_->setUniformLocationWith3f(location, floats_[0], floats_[1], floats_[2]);
      break;
    case GL_FLOAT_VEC4:
      program_->setUniformLocationWith4f(location, floats_[0], floats_[1], floats_[2],
                                         floats_[3]);
      break;
    case GL_FLOAT_MAT4:
      program_->setUniformLocationWithMatrix4fv(location, floats_);
      break;
    default:
      break;
  }
}

void UniformValue::setCallback(Callback callback) {
  callback_ = std::move(callback);
  useCallback_ = true;
}

void UniformValue::setInt(int32_t value) {
  intValue_ = value;
  useCallback_ = false;
}

void UniformValue::setFloat(float value) {
  floats_[0] = value;
  useCallback_ = false;
}

void UniformValue::setVec2(const Vec2& value) {
  floats_[0] = value.x;
  floats_[1] = value.y;
  useCallback_ = false;
}

void UniformValue::setVec3(float x, float y, float z) {
  floats_[0] = x;
  floats_[1] = y;
  floats_[2] = z;
  useCallback_ = false;
}

void UniformValue::setVec4(const Vec4& value) {
  floats_[0] = value.x;
  floats_[1] = value.y;
  floats_[2] = value.z;
  floats_[3] = value.w;
  useCallback_ = false;
}

void UniformValue::setMat4(const Mat4& value) {
  std::memcpy(floats_, value.m, sizeof(floats_));
  useCallback_ = false;
}

}  // namespace engine
