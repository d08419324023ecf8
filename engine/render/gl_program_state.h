#pragma once
// A program plus the values of its user uniforms and vertex attributes, applied just before a
// draw. Nodes without values of their own share one state per program (GLProgramStateCache).

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "engine/base/geometry.h"
#include "engine/base/ref.h"
#include "engine/render/uniform_value.h"
#include "engine/render/vertex_attrib_value.h"

namespace engine {

class GLProgram;

class GLProgramState : public Ref {
 public:
  // A new state over the program (autoreleased), or none for a null program.
  static GLProgramState* create(GLProgram* program);

  GLProgramState() = default;
  ~GLProgramState() override;

  // Retains the program and adds one disabled attribute value per attribute and one value per
  // user uniform.
  bool init(GLProgram* program);

  // Makes the program current and sends its built-in uniforms. Re-resolves the value records
  // first when the program rebuilt its own.
  void applyGLProgram(const Mat4& modelView);
  void applyAttributes();
  void applyUniforms();
  // The three above in order.
  void apply(const Mat4& modelView);

  GLProgram* getGLProgram() const { return program_; }
  // How many user uniform values this state holds; a state with any cannot share a draw with
  // its neighbours.
  size_t getUniformCount() const { return uniformValues_.size(); }
  uint32_t getVertexAttribsFlags() const { return vertexAttribsFlags_; }

  // Setters by uniform name; a name the program does not have is ignored (false).
  bool setUniformInt(const std::string& name, int32_t value);
  bool setUniformFloat(const std::string& name, float value);
  bool setUniformVec2(const std::string& name, const Vec2& value);
  bool setUniformVec3(const std::string& name, float x, float y, float z);
  bool setUniformVec4(const std::string& name, const Vec4& value);
  bool setUniformMat4(const std::string& name, const Mat4& value);
  bool setUniformCallback(const std::string& name, UniformValue::Callback callback);

  bool setVertexAttribPointer(const std::string& name, int32_t size, uint32_t type,
                              bool normalized, int32_t stride, const void* pointer);
  bool setVertexAttribCallback(const std::string& name, VertexAttribValue::Callback callback);

 private:
  UniformValue* getUniformValue(const std::string& name);
  void resolveIfDirty();

  bool dirty_ = true;
  uint32_t programGeneration_ = 0;
  std::unordered_map<std::string, UniformValue> uniformValues_;
  std::unordered_map<std::string, VertexAttribValue> attributeValues_;
  uint32_t vertexAttribsFlags_ = 0;
  GLProgram* program_ = nullptr;
};

}  // namespace engine
