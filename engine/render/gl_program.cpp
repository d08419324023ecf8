#include "engine/render/gl_program.h"

#include <GL/glew.h>

#include <cmath>
#include <cstring>

#include "engine/base/log.h"
#include "engine/base/random.h"
#include "engine/render/gl_frame_calls.h"
#include "engine/render/gl_state_cache.h"
#include "engine/render/quad_types.h"
#include "engine/render/render_environment.h"

namespace engine {
namespace {

struct BuiltinUniformInfo {
  const char* name;
  const char* glslType;
};

constexpr BuiltinUniformInfo kBuiltinUniforms[GLProgram::UNIFORM_MAX] = {
    {"E_PMatrix", "mat4"},    {"E_MVMatrix", "mat4"},    {"E_MVPMatrix", "mat4"},
    {"E_Time", "vec4"},       {"E_SinTime", "vec4"},     {"E_CosTime", "vec4"},
    {"E_Random01", "vec4"},   {"E_Texture0", "sampler2D"}, {"E_Texture1", "sampler2D"},
    {"E_Texture2", "sampler2D"}, {"E_Texture3", "sampler2D"},
};

std::string shaderInfoLog(GLuint shader) {
  GLint length = 0;
  glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length), '\0');
  glGetShaderInfoLog(shader, length, nullptr, text.data());
  text.resize(std::strlen(text.c_str()));
  return text;
}

std::string programInfoLog(GLuint program) {
  GLint length = 0;
  glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length), '\0');
  glGetProgramInfoLog(program, length, nullptr, text.data());
  text.resize(std::strlen(text.c_str()));
  return text;
}

bool startsWithBuiltinPrefix(const char* name) { return std::strncmp(name, "E_", 2) == 0; }

}  // namespace

const char* const GLProgram::ATTRIBUTE_NAME_POSITION = "a_position";
const char* const GLProgram::ATTRIBUTE_NAME_COLOR = "a_color";
const char* const GLProgram::ATTRIBUTE_NAME_TEX_COORD = "a_texCoord";
const char* const GLProgram::ATTRIBUTE_NAME_NORMAL = "a_normal";
const char* const GLProgram::UNIFORM_NAME_ALPHA_TEST_VALUE = "E_alpha_value";

const std::string& GLProgram::getShaderHeader() {
  static const std::string header = [] {
    std::string text;
    for (const BuiltinUniformInfo& info : kBuiltinUniforms) {
      text += std::string("uniform ") + info.glslType + " " + info.name + ";\n";
    }
    text += "//ENGINE INCLUDES END\n\n";
    return text;
  }();
  return header;
}

const char* GLProgram::getBuiltinUniformName(BuiltinUniform uniform) {
  return kBuiltinUniforms[uniform].name;
}

GLProgram* GLProgram::createWithByteArrays(const char* vertexSource, const char* fragmentSource) {
  auto* program = new GLProgram();
  if (program->initWithByteArrays(vertexSource, fragmentSource) && program->link()) {
    program->updateUniforms();
    program->autorelease();
    return program;
  }
  program->release();
  return nullptr;
}

GLProgram::~GLProgram() {
  deleteShaders();
  if (program_ != 0) GL::deleteProgram(program_);
}

bool GLProgram::initWithByteArrays(const char* vertexSource, const char* fragmentSource) {
  if (program_ == 0) program_ = glCreateProgram();
  linked_ = false;
  if (vertexSource != nullptr && !compileShader(&vertShader_, GL_VERTEX_SHADER, vertexSource)) {
    return false;
  }
  if (fragmentSource != nullptr &&
      !compileShader(&fragShader_, GL_FRAGMENT_SHADER, fragmentSource)) {
    return false;
  }
  if (vertShader_ != 0) glAttachShader(program_, vertShader_);
  if (fragShader_ != 0) glAttachShader(program_, fragShader_);
  return true;
}

bool GLProgram::compileShader(uint32_t* shader, uint32_t type, const char* source) {
  if (source == nullptr) return false;
  *shader = glCreateShader(type);
  const GLchar* sources[] = {getShaderHeader().c_str(), source};
  glShaderSource(*shader, 2, sources, nullptr);
  glCompileShader(*shader);
  GLint status = GL_FALSE;
  glGetShaderiv(*shader, GL_COMPILE_STATUS, &status);
  if (status == GL_TRUE) return true;
  log("GLProgram: failed to compile the %s shader: %s",
      type == GL_VERTEX_SHADER ? "vertex" : "fragment", shaderInfoLog(*shader).c_str());
  glDeleteShader(*shader);
  *shader = 0;
  return false;
}

void GLProgram::bindPredefinedVertexAttribs() {
  glBindAttribLocation(program_, VERTEX_ATTRIB_POSITION, ATTRIBUTE_NAME_POSITION);
  glBindAttribLocation(program_, VERTEX_ATTRIB_COLOR, ATTRIBUTE_NAME_COLOR);
  glBindAttribLocation(program_, VERTEX_ATTRIB_TEX_COORD, ATTRIBUTE_NAME_TEX_COORD);
  glBindAttribLocation(program_, VERTEX_ATTRIB_NORMAL, ATTRIBUTE_NAME_NORMAL);
}

bool GLProgram::link() {
  linked_ = false;
  if (program_ == 0) return false;
  const bool stagesReady = vertShader_ != 0 || fragShader_ != 0;
  bindPredefinedVertexAttribs();
  if (stagesReady) glLinkProgram(program_);
  GLint status = GL_FALSE;
  if (stagesReady) glGetProgramiv(program_, GL_LINK_STATUS, &status);
  if (status == GL_TRUE) {
    linked_ = true;
    parseVertexAttribs();
    parseUniforms();
  } else if (stagesReady) {
    log("GLProgram: failed to link program %u: %s", program_, programInfoLog(program_).c_str());
  } else {
    log("GLProgram: program %u not linked: no shader stage compiled", program_);
  }
  deleteShaders();
  ++generation_;
  return linked_;
}

void GLProgram::parseVertexAttribs() {
  vertexAttribs_.clear();
  GLint count = 0;
  GLint maxLength = 0;
  glGetProgramiv(program_, GL_ACTIVE_ATTRIBUTES, &count);
  glGetProgramiv(program_, GL_ACTIVE_ATTRIBUTE_MAX_LENGTH, &maxLength);
  if (count < 1 || maxLength < 1) return;
  std::vector<GLchar> name(static_cast<size_t>(maxLength) + 1, '\0');
  for (GLint i = 0; i < count; ++i) {
    GLint size = 0;
    GLenum type = 0;
    glGetActiveAttrib(program_, static_cast<GLuint>(i), maxLength, nullptr, &size, &type,
                      name.data());
    VertexAttrib attrib;
    attrib.name = name.data();
    attrib.size = size;
    attrib.type = type;
    attrib.index = static_cast<uint32_t>(glGetAttribLocation(program_, name.data()));
    vertexAttribs_[attrib.name] = attrib;
  }
}

void GLProgram::parseUniforms() {
  userUniforms_.clear();
  GLint count = 0;
  GLint maxLength = 0;
  glGetProgramiv(program_, GL_ACTIVE_UNIFORMS, &count);
  glGetProgramiv(program_, GL_ACTIVE_UNIFORM_MAX_LENGTH, &maxLength);
  if (count < 1 || maxLength < 1) return;
  std::vector<GLchar> name(static_cast<size_t>(maxLength) + 1, '\0');
  for (GLint i = 0; i < count; ++i) {
    GLint size = 0;
    GLenum type = 0;
    glGetActiveUniform(program_, static_cast<GLuint>(i), maxLength, nullptr, &size, &type,
                       name.data());
    if (startsWithBuiltinPrefix(name.data())) continue;
    Uniform uniform;
    uniform.name = name.data();
    if (size > 1) {
      // Arrays are reported as "name[0]"; callers use the bare name.
      const size_t bracket = uniform.name.rfind('[');
      if (bracket != std::string::npos) uniform.name.resize(bracket);
    }
    uniform.size = size;
    uniform.type = type;
    uniform.location = glGetUniformLocation(program_, uniform.name.c_str());
    glGetError();  // a failed look-up must not be blamed on a later call
    userUniforms_[uniform.name] = uniform;
  }
}

void GLProgram::updateUniforms() {
  for (int i = 0; i < UNIFORM_MAX; ++i) {
    builtinUniforms_[i] =
        linked_ ? glGetUniformLocation(program_, kBuiltinUniforms[i].name) : -1;
  }
  flags_ = 0;
  if (builtinUniforms_[UNIFORM_TIME] != -1 || builtinUniforms_[UNIFORM_SIN_TIME] != -1 ||
      builtinUniforms_[UNIFORM_COS_TIME] != -1) {
    flags_ |= FLAG_USES_TIME;
  }
  if (builtinUniforms_[UNIFORM_MVP_MATRIX] != -1) flags_ |= FLAG_USES_MVP;
  if (builtinUniforms_[UNIFORM_MV_MATRIX] != -1) flags_ |= FLAG_USES_MV;
  if (builtinUniforms_[UNIFORM_P_MATRIX] != -1) flags_ |= FLAG_USES_P;
  if (builtinUniforms_[UNIFORM_RANDOM01] != -1) flags_ |= FLAG_USES_RANDOM;
  if (!linked_) return;

  use();
  for (int unit = 0; unit < 4; ++unit) {
    setUniformLocationWith1i(builtinUniforms_[UNIFORM_SAMPLER0 + unit], unit);
  }
}

void GLProgram::reset() {
  vertShader_ = 0;
  fragShader_ = 0;
  GL::forgetProgram(program_);
  program_ = 0;
  linked_ = false;
  for (int32_t& location : builtinUniforms_) location = -1;
  flags_ = 0;
  uniformValueCache_.clear();
}

void GLProgram::use() {
  if (linked_) GL::useProgram(program_);
}

int32_t GLProgram::getBuiltinUniformLocation(BuiltinUniform uniform) const {
  return builtinUniforms_[uniform];
}

int32_t GLProgram::getUniformLocation(const std::string& name) const {
  if (!linked_) return -1;
  return glGetUniformLocation(program_, name.c_str());
}

Uniform* GLProgram::getUniform(const std::string& name) {
  auto found = userUniforms_.find(name);
  return found != userUniforms_.end() ? &found->second : nullptr;
}

VertexAttrib* GLProgram::getVertexAttrib(const std::string& name) {
  auto found = vertexAttribs_.find(name);
  return found != vertexAttribs_.end() ? &found->second : nullptr;
}

bool GLProgram::updateUniformLocation(int32_t location, const void* data, size_t size) {
  return uniformValueCache_.update(location, data, size);
}

void GLProgram::setUniformLocationWith1i(int32_t location, int32_t i1) {
  if (!updateUniformLocation(location, &i1, sizeof(i1))) return;
  ++uniformUploads_;
  GL::frameCalls().uniform1i(location, i1);
}

void GLProgram::setUniformLocationWith1f(int32_t location, float f1) {
  if (!updateUniformLocation(location, &f1, sizeof(f1))) return;
  ++uniformUploads_;
  GL::frameCalls().uniform1f(location, f1);
}

void GLProgram::setUniformLocationWith2f(int32_t location, float f1, float f2) {
  const float values[2] = {f1, f2};
  if (!updateUniformLocation(location, values, sizeof(values))) return;
  ++uniformUploads_;
  GL::frameCalls().uniform2f(location, f1, f2);
}

void GLProgram::setUniformLocationWith3f(int32_t location, float f1, float f2, float f3) {
  const float values[3] = {f1, f2, f3};
  if (!updateUniformLocation(location, values, sizeof(values))) return;
  ++uniformUploads_;
  GL::frameCalls().uniform3f(location, f1, f2, f3);
}

void GLProgram::setUniformLocationWith4f(int32_t location, float f1, float f2, float f3,
                                         float f4) {
  const float values[4] = {f1, f2, f3, f4};
  if (!updateUniformLocation(location, values, sizeof(values))) return;
  ++uniformUploads_;
  GL::frameCalls().uniform4f(location, f1, f2, f3, f4);
}

void GLProgram::setUniformLocationWithMatrix4fv(int32_t location, const float* matrix) {
  if (!updateUniformLocation(location, matrix, sizeof(float) * 16)) return;
  ++uniformUploads_;
  GL::frameCalls().uniformMatrix4fv(location, 1, GL_FALSE, matrix);
}

void GLProgram::setUniformsForBuiltins(const Mat4& modelView) {
  if (!linked_) return;
  RenderEnvironment* environment = getRenderEnvironment();
  const Mat4 projection = environment->getProjectionMatrix();
  if (flags_ & FLAG_USES_P) {
    setUniformLocationWithMatrix4fv(builtinUniforms_[UNIFORM_P_MATRIX], projection.m);
  }
  if (flags_ & FLAG_USES_MV) {
    setUniformLocationWithMatrix4fv(builtinUniforms_[UNIFORM_MV_MATRIX], modelView.m);
  }
  if (flags_ & FLAG_USES_MVP) {
    const Mat4 mvp = projection * modelView;
    setUniformLocationWithMatrix4fv(builtinUniforms_[UNIFORM_MVP_MATRIX], mvp.m);
  }
  if (flags_ & FLAG_USES_TIME) {
    const auto t = static_cast<float>(environment->getTotalTime());
    setUniformLocationWith4f(builtinUniforms_[UNIFORM_TIME], t / 10.0f, t, t * 2.0f, t * 4.0f);
    setUniformLocationWith4f(builtinUniforms_[UNIFORM_SIN_TIME], t / 8.0f, t / 4.0f, t / 2.0f,
                             std::sin(t));
    setUniformLocationWith4f(builtinUniforms_[UNIFORM_COS_TIME], t / 8.0f, t / 4.0f, t / 2.0f,
                             std::cos(t));
  }
  if (flags_ & FLAG_USES_RANDOM) {
    auto draw = [] { return static_cast<float>(randomNext() / static_cast<double>(RANDOM_MAX)); };
    const float r0 = draw();
    const float r1 = draw();
    const float r2 = draw();
    const float r3 = draw();
    setUniformLocationWith4f(builtinUniforms_[UNIFORM_RANDOM01], r0, r1, r2, r3);
  }
}

void GLProgram::deleteShaders() {
  if (vertShader_ != 0) glDeleteShader(vertShader_);
  if (fragShader_ != 0) glDeleteShader(fragShader_);
  vertShader_ = 0;
  fragShader_ = 0;
}

}  // namespace engine
