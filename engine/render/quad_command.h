#pragma once
// A run of quads that share a texture, blend and program state. The renderer copies them into
// its buffer, moves them to world space on the CPU (unless the submitter placed them there
// already) and draws consecutive commands of one material with one draw call.

#include <cstdint>

#include "engine/base/geometry.h"
#include "engine/render/quad_types.h"
#include "engine/render/render_command.h"

namespace engine {

class GLProgramState;

class QuadCommand : public RenderCommand {
 public:
  QuadCommand() : RenderCommand(Type::QUAD_COMMAND) {}

  // Filled in place by the submitting node each frame (inline: every sprite calls it every
  // frame). The material id is recomputed only when the texture, blend or program state changed.
  void init(float globalOrder, uint32_t textureId, GLProgramState* programState,
            const BlendFunc& blend, const V2F_C4B_T2F_Quad* quads, int64_t quadCount,
            const Mat4& modelView) {
    setGeometry(globalOrder, quads, quadCount, modelView);
    if (!hasMaterial(textureId, programState, blend)) {
      changeMaterial(textureId, programState, blend);
    }
  }
  // The two halves of init, for a submitter that already knows the material is unchanged.
  void setGeometry(float globalOrder, const V2F_C4B_T2F_Quad* quads, int64_t quadCount,
                   const Mat4& modelView) {
    globalOrder_ = globalOrder;
    quads_ = quads;
    quadCount_ = quadCount;
    // Four 16-byte moves: left to itself the compiler may copy the matrix with a string move,
    // whose start-up costs more than the copy on every sprite of every frame.
    using Column = float __attribute__((vector_size(16)));
    for (int c = 0; c < 4; ++c) {
      Column column;
      __builtin_memcpy(&column, modelView.m + 4 * c, sizeof(column));
      __builtin_memcpy(modelView_.m + 4 * c, &column, sizeof(column));
    }
  }
  // Quads already in world space are copied as they are; the model-view then only feeds the
  // program's built-in uniforms. A submitter that keeps its command from frame to frame sets
  // this once.
  void setQuadsInWorld(bool inWorld) { quadsInWorld_ = inWorld; }
  bool areQuadsInWorld() const { return quadsInWorld_; }
  // For a submitter whose quads and model-view are as it filled them last frame.
  void setGlobalOrder(float globalOrder) { globalOrder_ = globalOrder; }
  bool hasMaterial(uint32_t textureId, const GLProgramState* programState,
                   const BlendFunc& blend) const {
    return initialised_ && textureId == textureId_ && blend == blend_ &&
           programState == programState_;
  }

  void generateMaterialID();
  // The hash the material id is made of: four little-endian words (program name, texture,
  // source factor, destination factor), XXH32 with seed 0.
  static uint32_t computeMaterialID(uint32_t programName, uint32_t textureId,
                                    const BlendFunc& blend);

  // Binds texture, blend and program state. False when the program cannot draw (missing or
  // failed to build): the renderer then skips the quads of this material.
  bool useMaterial() const;
  // Whether applying a material of this program state right after another of the same state
  // only has to bind the texture and blend: re-applying the state would send nothing new (no
  // attribute values or user uniforms, built-ins that depend on the projection alone).
  static bool isReapplicationFree(const GLProgramState* programState);
  // The texture and blend part of useMaterial.
  void useTextureAndBlend() const;

  uint32_t getMaterialID() const { return materialID_; }
  uint32_t getTextureID() const { return textureId_; }
  GLProgramState* getGLProgramState() const { return programState_; }
  const BlendFunc& getBlendType() const { return blend_; }
  const V2F_C4B_T2F_Quad* getQuads() const { return quads_; }
  int64_t getQuadCount() const { return quadCount_; }
  const Mat4& getModelView() const { return modelView_; }
  // How often the material id was computed (tests check that unchanged materials are kept).
  uint32_t getMaterialGenerationCount() const { return materialGenerations_; }

 private:
  void changeMaterial(uint32_t textureId, GLProgramState* programState, const BlendFunc& blend);

  // The small fields fill the command's first cache line; the matrix takes the next.
  const V2F_C4B_T2F_Quad* quads_ = nullptr;
  int64_t quadCount_ = 0;
  GLProgramState* programState_ = nullptr;
  uint32_t materialID_ = 0;
  uint32_t textureId_ = 0;
  BlendFunc blend_;
  bool initialised_ = false;
  bool quadsInWorld_ = false;
  uint32_t materialGenerations_ = 0;
  Mat4 modelView_;
};

}  // namespace engine
