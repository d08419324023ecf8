#include "engine/render/gl_program_cache.h"

#include "engine/base/log.h"
#include "engine/render/builtin_shaders.h"
#include "engine/render/gl_program.h"

namespace engine {
namespace {

GLProgramCache*& instanceSlot() {
  static GLProgramCache* instance = nullptr;
  return instance;
}

}  // namespace

GLProgramCache* GLProgramCache::getInstance() {
  GLProgramCache*& instance = instanceSlot();
  if (instance == nullptr) {
    instance = new GLProgramCache();
    instance->loadDefaultGLPrograms();
  }
  return instance;
}

void GLProgramCache::destroyInstance() { safeRelease(instanceSlot()); }

GLProgramCache::~GLProgramCache() {
  for (auto& entry : programs_) entry.second->release();
  programs_.clear();
}

void GLProgramCache::buildProgram(GLProgram* program, int64_t key) {
  const BuiltinProgramSource& row = builtInProgramTable[key];
  const bool compiled = program->initWithByteArrays(row.vertexSource, row.fragmentSource);
  const bool linked = program->link();
  program->updateUniforms();
  if (!compiled || !linked) {
    log("GLProgramCache: built-in program %lld is unusable and will draw nothing",
        static_cast<long long>(key));
  }
}

void GLProgramCache::loadDefaultGLPrograms() {
  for (const BuiltinProgramSource& row : builtInProgramTable) {
    auto* program = new GLProgram();
    buildProgram(program, row.key);
    addGLProgram(program, row.key);
    program->release();  // the cache's reference remains
  }
}

void GLProgramCache::reloadDefaultGLPrograms() {
  for (const BuiltinProgramSource& row : builtInProgramTable) {
    GLProgram* program = getGLProgram(row.key);
    if (program == nullptr) continue;
    program->reset();
    buildProgram(program, row.key);
  }
}

GLProgram* GLProgramCache::getGLProgram(int64_t key) const {
  auto found = programs_.find(key);
  return found != programs_.end() ? found->second : nullptr;
}

void GLProgramCache::addGLProgram(GLProgram* program, int64_t key) {
  if (program == nullptr) return;
  program->retain();
  auto [entry, inserted] = programs_.emplace(key, program);
  if (!inserted) {
    entry->second->release();
    entry->second = program;
  }
}

}  // namespace engine
