#pragma once
// One linked GLSL program: compiled with a fixed header of built-in uniforms, linked with fixed
// attribute indices. It records its active attributes and user uniforms and keeps the last value
// sent to each uniform location, so an unchanged value costs no GL call.

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/base/geometry.h"
#include "engine/base/ref.h"
#include "engine/render/uniform_value_cache.h"

namespace engine {

struct Uniform {
  int32_t location = -1;
  int32_t size = 0;  // array length
  uint32_t type = 0;
  std::string name;
};

struct VertexAttrib {
  uint32_t index = 0;
  int32_t size = 0;
  uint32_t type = 0;
  std::string name;
};

class GLProgram : public Ref {
 public:
  // The built-in uniforms, in header order.
  enum BuiltinUniform {
    UNIFORM_P_MATRIX,
    UNIFORM_MV_MATRIX,
    UNIFORM_MVP_MATRIX,
    UNIFORM_TIME,
    UNIFORM_SIN_TIME,
    UNIFORM_COS_TIME,
    UNIFORM_RANDOM01,
    UNIFORM_SAMPLER0,
    UNIFORM_SAMPLER1,
    UNIFORM_SAMPLER2,
    UNIFORM_SAMPLER3,
    UNIFORM_MAX,
  };
  enum Flags : uint32_t {
    FLAG_USES_TIME = 1,
    FLAG_USES_MVP = 2,
    FLAG_USES_MV = 4,
    FLAG_USES_P = 8,
    FLAG_USES_RANDOM = 16,
  };

  static const char* const ATTRIBUTE_NAME_POSITION;   // "a_position"
  static const char* const ATTRIBUTE_NAME_COLOR;      // "a_color"
  static const char* const ATTRIBUTE_NAME_TEX_COORD;  // "a_texCoord"
  static const char* const ATTRIBUTE_NAME_NORMAL;     // "a_normal"
  static const char* const UNIFORM_NAME_ALPHA_TEST_VALUE;  // "E_alpha_value"

  // The header put in front of every stage: the built-in uniforms, then the end marker.
  static const std::string& getShaderHeader();
  static const char* getBuiltinUniformName(BuiltinUniform uniform);

  // Compiles, links and locates; none (logged) when a stage does not compile or the link fails.
  static GLProgram* createWithByteArrays(const char* vertexSource, const char* fragmentSource);

  GLProgram() = default;
  ~GLProgram() override;

  // Creates the GL program and compiles each non-null stage; false on the first failure (the
  // driver's message goes to the log).
  bool initWithByteArrays(const char* vertexSource, const char* fragmentSource);
  // Binds the fixed attribute indices, links and records attributes and uniforms; false (logged)
  // when the link fails. The shaders are deleted either way.
  bool link();
  // Locates the built-in uniforms and points the samplers at units 0 to 3.
  void updateUniforms();
  // Forgets every GL name without deleting it: for a context that died with its objects.
  void reset();

  // Makes this the current program; a program that failed to build is never made current.
  void use();
  bool isLinked() const { return linked_; }

  uint32_t getProgram() const { return program_; }
  uint32_t getFlags() const { return flags_; }
  int32_t getBuiltinUniformLocation(BuiltinUniform uniform) const;
  // Any uniform's location, built-in ones included (-1 when absent).
  int32_t getUniformLocation(const std::string& name) const;
  Uniform* getUniform(const std::string& name);
  VertexAttrib* getVertexAttrib(const std::string& name);
  const std::unordered_map<std::string, Uniform>& getUserUniforms() const { return userUniforms_; }
  const std::unordered_map<std::string, VertexAttrib>& getVertexAttribs() const {
    return vertexAttribs_;
  }
  // Raised each time the attribute and uniform records are rebuilt, so holders of pointers into
  // them know to look them up again.
  uint32_t getGeneration() const { return generation_; }

  // Stores the bytes as the location's last value; true when they differ from what was there
  // (so GL must be told), false for a negative location or an unchanged value.
  bool updateUniformLocation(int32_t location, const void* data, size_t size);

  void setUniformLocationWith1i(int32_t location, int32_t i1);
  void setUniformLocationWith1f(int32_t location, float f1);
  void setUniformLocationWith2f(int32_t location, float f1, float f2);
  void setUniformLocationWith3f(int32_t location, float f1, float f2, float f3);
  void setUniformLocationWith4f(int32_t location, float f1, float f2, float f3, float f4);
  void setUniformLocationWithMatrix4fv(int32_t location, const float* matrix);

  // Sends the built-in uniforms this program uses, from the current render environment.
  void setUniformsForBuiltins(const Mat4& modelView);

  // Uniform writes that reached GL, for tests and profiling.
  uint64_t getUniformUploadCount() const { return uniformUploads_; }

 private:
  bool compileShader(uint32_t* shader, uint32_t type, const char* source);
  void bindPredefinedVertexAttribs();
  void parseVertexAttribs();
  void parseUniforms();
  void deleteShaders();

  uint32_t program_ = 0;
  uint32_t vertShader_ = 0;
  uint32_t fragShader_ = 0;
  int32_t builtinUniforms_[UNIFORM_MAX] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  UniformValueCache uniformValueCache_;
  uint32_t flags_ = 0;
  std::unordered_map<std::string, Uniform> userUniforms_;
  std::unordered_map<std::string, VertexAttrib> vertexAttribs_;
  bool linked_ = false;
  uint32_t generation_ = 0;
  uint64_t uniformUploads_ = 0;
};

}  // namespace engine
