#pragma once
// A command that draws a whole texture atlas (a sprite batch) with one program and blend, its
// vertices in node space and the model-view passed as a uniform.

#include <cstdint>

#include "engine/base/geometry.h"
#include "engine/render/quad_types.h"
#include "engine/render/render_command.h"

namespace engine {

class GLProgram;

// What a batch command draws: an atlas that draws all of its quads from quad 0 with the
// program, texture and blend the command has already applied.
class BatchDrawable {
 public:
  virtual ~BatchDrawable() = default;
  virtual void drawAllQuads() = 0;
};

class BatchCommand : public RenderCommand {
 public:
  BatchCommand() : RenderCommand(Type::BATCH_COMMAND) {}

  void init(float globalOrder, uint32_t textureId, GLProgram* program, const BlendFunc& blend,
            BatchDrawable* atlas, const Mat4& modelView);
  // Applies program, built-in uniforms, texture and blend, then draws the atlas. A missing or
  // broken program draws nothing. Returns whether anything was drawn.
  bool execute() const;

  uint32_t getTextureID() const { return textureId_; }
  GLProgram* getProgram() const { return program_; }
  const BlendFunc& getBlendFunc() const { return blend_; }
  BatchDrawable* getTextureAtlas() const { return atlas_; }
  const Mat4& getModelView() const { return modelView_; }

 private:
  uint32_t textureId_ = 0;
  GLProgram* program_ = nullptr;
  BlendFunc blend_;
  BatchDrawable* atlas_ = nullptr;
  Mat4 modelView_;
};

}  // namespace engine
