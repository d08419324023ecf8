#include "engine/render/gl_program_state.h"

#include "engine/render/gl_program.h"
#include "engine/render/gl_state_cache.h"

namespace engine {

GLProgramState* GLProgramState::create(GLProgram* program) {
  auto* state = new GLProgramState();
  if (!state->init(program)) {
    state->release();
    return nullptr;
  }
  state->autorelease();
  return state;
}

GLProgramState::~GLProgramState() { safeRelease(program_); }

bool GLProgramState::init(GLProgram* program) {
  if (program == nullptr) return false;
  setRetained(program_, program);
  attributeValues_.clear();
  uniformValues_.clear();
  for (const auto& entry : program->getVertexAttribs()) {
    attributeValues_.emplace(entry.first,
                             VertexAttribValue(program->getVertexAttrib(entry.first)));
  }
  for (const auto& entry : program->getUserUniforms()) {
    uniformValues_.emplace(entry.first, UniformValue(program->getUniform(entry.first), program));
  }
  programGeneration_ = program->getGeneration();
  dirty_ = true;
  return true;
}

void GLProgramState::resolveIfDirty() {
  if (program_->getGeneration() != programGeneration_) dirty_ = true;
  if (!dirty_) return;
  for (auto& [name, value] : uniformValues_) value.rebind(program_->getUniform(name));
  vertexAttribsFlags_ = 0;
  for (auto& [name, value] : attributeValues_) {
    VertexAttrib* attrib = program_->getVertexAttrib(name);
    value.rebind(attrib);
    if (value.isEnabled() && attrib != nullptr) vertexAttribsFlags_ |= 1u << (attrib->index % 32);
  }
  programGeneration_ = program_->getGeneration();
  dirty_ = false;
}

void GLProgramState::applyGLProgram(const Mat4& modelView) {
  if (program_ == nullptr) return;
  resolveIfDirty();
  program_->use();
  program_->setUniformsForBuiltins(modelView);
}

void GLProgramState::applyAttributes() {
  if (vertexAttribsFlags_ == 0) return;
  GL::enableVertexAttribs(vertexAttribsFlags_);
  for (auto& [name, value] : attributeValues_) value.apply();
}

void GLProgramState::applyUniforms() {
  for (auto& [name, value] : uniformValues_) value.apply();
}

void GLProgramState::apply(const Mat4& modelView) {
  applyGLProgram(modelView);
  applyAttributes();
  applyUniforms();
}

UniformValue* GLProgramState::getUniformValue(const std::string& name) {
  auto found = uniformValues_.find(name);
  return found != uniformValues_.end() ? &found->second : nullptr;
}

bool GLProgramState::setUniformInt(const std::string& name, int32_t value) {
  UniformValue* uniform = getUniformValue(name);
  if (uniform != nullptr) uniform->setInt(value);
  return uniform != nullptr;
}

bool GLProgramState::setUniformFloat(const std::string& name, float value) {
  UniformValue* uniform = getUniformValue(name);
  if (uniform != nullptr) uniform->setFloat(value);
  return uniform != nullptr;
}

bool GLProgramState::setUniformVec2(const std::string& name, const Vec2& value) {
  UniformValue* uniform = getUniformValue(name);
  if (uniform != nullptr) uniform->setVec2(value);
  return uniform != nullptr;
}

bool GLProgramState::setUniformVec3(const std::string& name, float x, float y, float z) {
  UniformValue* uniform = getUniformValue(name);
  if (uniform != nullptr) uniform->setVec3(x, y, z);
  return uniform != nullptr;
}

bool GLProgramState::setUniformVec4(const std::string& name, const Vec4& value) {
  UniformValue* uniform = getUniformValue(name);
  if (uniform != nullptr) uniform->setVec4(value);
  return uniform != nullptr;
}

bool GLProgramState::setUniformMat4(const std::string& name, const Mat4& value) {
  UniformValue* uniform = getUniformValue(name);
  if (uniform != nullptr) uniform->setMat4(value);
  return uniform != nullptr;
}

bool GLProgramState::setUniformCallback(const std::string& name,
                                        UniformValue::Callback callback) {
  UniformValue* uniform = getUniformValue(name);
  if (uniform != nullptr) uniform->setCallback(std::move(callback));
  return uniform != nullptr;
}

bool GLProgramState::setVertexAttribPointer(const std::string& name, int32_t size, uint32_t type,
                                            bool normalized, int32_t stride,
                                            const void* pointer) {
  auto found = attributeValues_.find(name);
  if (found == attributeValues_.end()) return false;
  found->second.setPointer(size, type, normalized, stride, pointer);
  dirty_ = true;
  return true;
}

bool GLProgramState::setVertexAttribCallback(const std::string& name,
                                             VertexAttribValue::Callback callback) {
  auto found = attributeValues_.find(name);
  if (found == attributeValues_.end()) return false;
  found->second.setCallback(std::move(callback));
  dirty_ = true;
  return true;
}

}  // namespace engine
