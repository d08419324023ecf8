#pragma once
// A value for one user uniform of a program, applied just before a draw.

#include <cstdint>
#include <functional>
#include <string>

#include "engine/base/geometry.h"

namespace engine {

class GLProgram;
struct Uniform;

class UniformValue {
 public:
  using Callback = std::function<void(GLProgram*, Uniform*)>;

  UniformValue() = default;
  UniformValue(Uniform* uniform, GLProgram* program);

  // Sends the value; a uniform the program no longer has is skipped.
  void apply();

  void setCallback(Callback callback);
  void setInt(int32_t value);
  void setFloat(float value);
  void setVec2(const Vec2& value);
  void setVec3(float x, float y, float z);
  void setVec4(const Vec4& value);
  void setMat4(const Mat4& value);

  const std::string& getName() const { return name_; }
  Uniform* getUniform() const { return uniform_; }
  // Points at the program's record again (after it was rebuilt); null when it is gone.
  void rebind(Uniform* uniform) { uniform_ = uniform; }

 private:
  Uniform* uniform_ = nullptr;
  GLProgram* program_ = nullptr;
  bool useCallback_ = false;
  std::string name_;
  Callback callback_;
  int32_t intValue_ = 0;
  float floats_[16] = {};
};

}  // namespace engine
