#pragma once
// Quads that share a texture, blend and program state, handed over by a node that keeps its own
// quads. The renderer copies them into its buffer when the command is queued, moves them to world
// space on the CPU (unless the submitter placed them there already) and draws consecutive quads of
// one material with one draw call. Sprites hand their quads over directly instead
// (Renderer::addQuad) and need no command.

#include <cstdint>

#include "engine/base/geometry.h"
#include "engine/render/quad_material.h"
#include "engine/render/quad_types.h"
#include "engine/render/render_command.h"

namespace engine {

class GLProgramState;

class QuadCommand : public RenderCommand {
 public:
  QuadCommand() : RenderCommand(Type::QUAD_COMMAND) {}

  // Filled in place by the submitting node each frame. The material id is recomputed only when
  // the texture, blend or program state changed.
  void init(float globalOrder, uint32_t textureId, GLProgramState* programState,
            const BlendFunc& blend, const V2F_C4B_T2F_Quad* quads, int64_t quadCount,
            const Mat4& modelView) {
    globalOrder_ = globalOrder;
    quads_ = quads;
    quadCount_ = quadCount;
    modelView_ = modelView;
    if (!material_.matches(textureId, programState, blend)) {
      material_.set(textureId, programState, blend);
    }
  }
  // Quads already in world space are copied as they are; the model-view then only feeds the
  // program's built-in uniforms.
  void setQuadsInWorld(bool inWorld) { quadsInWorld_ = inWorld; }
  bool areQuadsInWorld() const { return quadsInWorld_; }

  const QuadMaterial& getMaterial() const { return material_; }
  uint32_t getMaterialID() const { return material_.getID(); }
  uint32_t getTextureID() const { return material_.getTextureID(); }
  GLProgramState* getGLProgramState() const { return material_.getGLProgramState(); }
  const BlendFunc& getBlendType() const { return material_.getBlend(); }
  const V2F_C4B_T2F_Quad* getQuads() const { return quads_; }
  int64_t getQuadCount() const { return quadCount_; }
  const Mat4& getModelView() const { return modelView_; }

 private:
  const V2F_C4B_T2F_Quad* quads_ = nullptr;
  int64_t quadCount_ = 0;
  QuadMaterial material_;
  bool quadsInWorld_ = false;
  Mat4 modelView_;
};

}  // namespace engine
