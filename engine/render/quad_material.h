#pragma once
// What a run of quads is drawn with: a texture, a blend and a program state, and the id that
// decides whether two runs share one draw call. A sprite keeps one from frame to frame and hands
// it to the renderer with its quad; a quad command holds one too.

#include <cstdint>

#include "engine/base/geometry.h"
#include "engine/render/quad_types.h"

namespace engine {

class GLProgramState;

class QuadMaterial {
 public:
  // What the renderer keeps of a material with each run of quads: small, since a scene of
  // sprites of a few textures interleaved queues a run per sprite.
  struct Drawn {
    GLProgramState* programState = nullptr;
    uint32_t id = 0;  // 0 never batches: user uniforms may differ between runs
    uint32_t textureId = 0;
    BlendFunc blend;

    // Binds texture and blend and applies the program state with this model-view. False when
    // the program cannot draw (missing or failed to build): the quads are skipped.
    bool use(const Mat4& modelView) const;
  };

  // Inline: a large scene asks it for every sprite every frame.
  bool matches(uint32_t textureId, const GLProgramState* programState,
               const BlendFunc& blend) const {
    return textureId == drawn_.textureId && blend == drawn_.blend &&
           programState == drawn_.programState;
  }
  // Stores the three and computes the id again.
  void set(uint32_t textureId, GLProgramState* programState, const BlendFunc& blend);

  // The hash the id is made of: four little-endian words (program name, texture, source factor,
  // destination factor), XXH32 with seed 0.
  static uint32_t computeID(uint32_t programName, uint32_t textureId, const BlendFunc& blend);
  // Whether applying a material of this program state right after another of the same state
  // only has to bind the texture and blend: re-applying the state would send nothing new (no
  // attribute values or user uniforms, built-ins that depend on the projection alone).
  static bool isReapplicationFree(const GLProgramState* programState);

  const Drawn& drawn() const { return drawn_; }
  // Whether the program read the model-view (a built-in uniform made of it) when the material
  // was set; otherwise the renderer need not keep a run's model-view until its draw.
  bool readsModelView() const { return readsModelView_; }
  uint32_t getID() const { return drawn_.id; }
  uint32_t getTextureID() const { return drawn_.textureId; }
  GLProgramState* getGLProgramState() const { return drawn_.programState; }
  const BlendFunc& getBlend() const { return drawn_.blend; }

 private:
  Drawn drawn_;
  bool readsModelView_ = false;
};

}  // namespace engine
