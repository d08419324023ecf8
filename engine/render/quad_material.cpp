#include "engine/render/quad_material.h"

#include <xxhash.h>

#include "engine/render/gl_program.h"
#include "engine/render/gl_program_state.h"
#include "engine/render/gl_state_cache.h"

namespace engine {
namespace {

void putLittleEndian32(unsigned char* out, uint32_t value) {
  out[0] = static_cast<unsigned char>(value);
  out[1] = static_cast<unsigned char>(value >> 8);
  out[2] = static_cast<unsigned char>(value >> 16);
  out[3] = static_cast<unsigned char>(value >> 24);
}

const GLProgram* linkedProgram(const GLProgramState* programState) {
  if (programState == nullptr) return nullptr;
  const GLProgram* program = programState->getGLProgram();
  return program != nullptr && program->isLinked() ? program : nullptr;
}

}  // namespace

void QuadMaterial::set(uint32_t textureId, GLProgramState* programState, const BlendFunc& blend) {
  drawn_.textureId = textureId;
  drawn_.blend = blend;
  drawn_.programState = programState;
  const GLProgram* linked = linkedProgram(programState);
  readsModelView_ = linked != nullptr && (linked->getFlags() & (GLProgram::FLAG_USES_MV |
                                                                 GLProgram::FLAG_USES_MVP)) != 0;
  if (programState != nullptr && programState->getUniformCount() > 0) {
    drawn_.id = 0;
    return;
  }
  const GLProgram* program = programState != nullptr ? programState->getGLProgram() : nullptr;
  drawn_.id = computeID(program != nullptr ? program->getProgram() : 0, textureId, blend);
}

uint32_t QuadMaterial::computeID(uint32_t programName, uint32_t textureId,
                                 const BlendFunc& blend) {
  unsigned char bytes[16];
  putLittleEndian32(bytes, programName);
  putLittleEndian32(bytes + 4, textureId);
  putLittleEndian32(bytes + 8, blend.src);
  putLittleEndian32(bytes + 12, blend.dst);
  return XXH32(bytes, sizeof(bytes), 0);
}

bool QuadMaterial::Drawn::use(const Mat4& modelView) const {
  if (linkedProgram(programState) == nullptr) return false;
  GL::bindTexture2D(textureId);
  GL::blendFunc(blend.src, blend.dst);
  programState->applyGLProgram(modelView);
  programState->applyAttributes();
  programState->applyUniforms();
  return true;
}

bool QuadMaterial::isReapplicationFree(const GLProgramState* programState) {
  const GLProgram* program = linkedProgram(programState);
  constexpr uint32_t kPerRunBuiltins = GLProgram::FLAG_USES_MV | GLProgram::FLAG_USES_MVP |
                                       GLProgram::FLAG_USES_TIME | GLProgram::FLAG_USES_RANDOM;
  return program != nullptr && (program->getFlags() & kPerRunBuiltins) == 0 &&
         programState->getUniformCount() == 0 && programState->getVertexAttribsFlags() == 0;
}

}  // namespace engine
