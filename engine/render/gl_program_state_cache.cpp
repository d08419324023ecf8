#include "engine/render/gl_program_state_cache.h"

#include "engine/render/gl_program_state.h"

namespace engine {
namespace {

GLProgramStateCache*& instanceSlot() {
  static GLProgramStateCache* instance = nullptr;
  return instance;
}

}  // namespace

GLProgramStateCache* GLProgramStateCache::getInstance() {
  GLProgramStateCache*& instance = instanceSlot();
  if (instance == nullptr) instance = new GLProgramStateCache();
  return instance;
}

void GLProgramStateCache::destroyInstance() {
  delete instanceSlot();
  instanceSlot() = nullptr;
}

GLProgramStateCache::~GLProgramStateCache() { removeAllGLProgramState(); }

GLProgramState* GLProgramStateCache::getGLProgramState(GLProgram* program) {
  if (program == nullptr) return nullptr;
  auto found = states_.find(program);
  if (found != states_.end()) return found->second;
  auto* state = new GLProgramState();
  if (!state->init(program)) {
    state->release();
    return nullptr;
  }
  states_[program] = state;
  return state;
}

void GLProgramStateCache::removeAllGLProgramState() {
  for (auto& entry : states_) entry.second->release();
  states_.clear();
}

}  // namespace engine
