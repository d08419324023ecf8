#include "engine/render/quad_command.h"

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

}  // namespace

void QuadCommand::changeMaterial(uint32_t textureId, GLProgramState* programState,
                                 const BlendFunc& blend) {
  textureId_ = textureId;
  blend_ = blend;
  programState_ = programState;
  initialised_ = true;
  generateMaterialID();
}

uint32_t QuadCommand::computeMaterialID(uint32_t programName, uint32_t textureId,
                                        const BlendFunc& blend) {
  unsigned char bytes[16];
  putLittleEndian32(bytes, programName);
  putLittleEndian32(bytes + 4, textureId);
  putLittleEndian32(bytes + 8, blend.src);
  putLittleEndian32(bytes + 12, blend.dst);
  return XXH32(bytes, sizeof(bytes), 0);
}

void QuadCommand::generateMaterialID() {
  ++materialGenerations_;
  // User uniforms may differ between commands with everything else equal: never batch those.
  if (programState_ != nullptr && programState_->getUniformCount() > 0) {
    materialID_ = 0;
    return;
  }
  const GLProgram* program = programState_ != nullptr ? programState_->getGLProgram() : nullptr;
  materialID_ = computeMaterialID(program != nullptr ? program->getProgram() : 0, textureId_,
                                  blend_);
}

bool QuadCommand::useMaterial() const {
  if (programState_ == nullptr || programState_->getGLProgram() == nullptr ||
      !programState_->getGLProgram()->isLinked()) {
    return false;
  }
  useTextureAndBlend();
  programState_->applyGLProgram(modelView_);
  programState_->applyAttributes();
  programState_->applyUniforms();
  return true;
}

bool QuadCommand::isReapplicationFree(const GLProgramState* programState) {
  if (programState == nullptr) return false;
  const GLProgram* program = programState->getGLProgram();
  constexpr uint32_t kPerCommandBuiltins = GLProgram::FLAG_USES_MV | GLProgram::FLAG_USES_MVP |
                                           GLProgram::FLAG_USES_TIME |
                                           GLProgram::FLAG_USES_RANDOM;
  return program != nullptr && program->isLinked() &&
         (program->getFlags() & kPerCommandBuiltins) == 0 && programState->getUniformCount() == 0 &&
         programState->getVertexAttribsFlags() == 0;
}

void QuadCommand::useTextureAndBlend() const {
  GL::bindTexture2D(textureId_);
  GL::blendFunc(blend_.src, blend_.dst);
}

}  // namespace engine
