#include "engine/render/batch_command.h"

#include "engine/render/gl_program.h"
#include "engine/render/gl_state_cache.h"

namespace engine {

void BatchCommand::init(float globalOrder, uint32_t textureId, GLProgram* program,
                        const BlendFunc& blend, BatchDrawable* atlas, const Mat4& modelView) {
  globalOrder_ = globalOrder;
  textureId_ = textureId;
  program_ = program;
  blend_ = blend;
  atlas_ = atlas;
  modelView_ = modelView;
}

bool BatchCommand::execute() const {
  if (program_ == nullptr || !program_->isLinked() || atlas_ == nullptr) return false;
  program_->use();
  program_->setUniformsForBuiltins(modelView_);
  GL::bindTexture2D(textureId_);
  GL::blendFunc(blend_.src, blend_.dst);
  atlas_->drawAllQuads();
  return true;
}

}  // namespace engine
