#pragma once
// A solid, possibly translucent rectangle that is also a container node: backgrounds, dimming
// panels and bars. It draws itself through a custom command with its own draw call.

#include <cstdint>

#include "engine/base/geometry.h"
#include "engine/render/custom_command.h"
#include "engine/render/quad_types.h"
#include "engine/scene/inner_node.h"

namespace engine {

class GLProgramState;

class LayerColor : public InnerNode {
 public:
  // Transparent black over the whole window. Autoreleased; null when init fails.
  static LayerColor* create();
  static LayerColor* create(const Color4B& color, float width, float height);

  ~LayerColor() override;

  bool init() override;
  bool initWithColor(const Color4B& color, float width, float height);

  void setContentSize(const Size& size) override;
  using Node::draw;
  void draw(Renderer* renderer, const Mat4& transform, uint32_t flags) override;
  void updateColor() override;

  virtual const BlendFunc& getBlendFunc() const { return blendFunc_; }
  virtual void setBlendFunc(const BlendFunc& blend) { blendFunc_ = blend; }

  // Node-space corners in strip order (0,0), (w,0), (0,h), (w,h), and their colours.
  const Vec2* getSquareVertices() const { return squareVertices_; }
  const Color4F* getSquareColors() const { return squareColors_; }

 protected:
  LayerColor();
  // Runs when the renderer reaches the command.
  void onDraw(Renderer* renderer, const Mat4& transform);

  BlendFunc blendFunc_ = BlendFunc::ALPHA_PREMULTIPLIED;
  Vec2 squareVertices_[4];
  Color4F squareColors_[4];
  CustomCommand customCommand_;
  // The corners already multiplied by the draw transform, x y z each.
  float noMVPVertices_[4][3] = {};
  GLProgramState* programState_ = nullptr;  // retained
};

}  // namespace engine
