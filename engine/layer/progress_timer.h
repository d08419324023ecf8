#pragma once
// Shows part of a sprite: a clockwise sweep around a midpoint (radial) or a window that grows
// from a midpoint (bar). The shown part is kept as vertex data and rebuilt only when the
// percentage, type, sprite or geometry settings change; colour changes only recolour it.

#include <cstdint>
#include <vector>

#include "engine/base/geometry.h"
#include "engine/render/custom_command.h"
#include "engine/render/quad_types.h"
#include "engine/scene/node.h"

namespace engine {

class GLProgramState;
class Sprite;

class ProgressTimer : public Node {
 public:
  enum class Type : int32_t { RADIAL = 0, BAR = 1 };

  // Autoreleased; null when init fails.
  static ProgressTimer* create(Sprite* sprite);
  ~ProgressTimer() override;

  bool initWithSprite(Sprite* sprite);

  using Node::draw;
  void draw(Renderer* renderer, const Mat4& transform, uint32_t flags) override;
  // Colour and opacity are the sprite's.
  uint8_t getOpacity() const override;
  void setOpacity(uint8_t opacity) override;
  const Color3B& getColor() const override;
  void setColor(const Color3B& color) override;
  void updateColor() override;

  // Retained; the content size becomes the sprite's.
  void setSprite(Sprite* sprite);
  Sprite* getSprite() const { return sprite_; }
  void setType(Type type);
  Type getType() const { return type_; }
  // Clamped to 0..100.
  void setPercentage(float percentage);
  float getPercentage() const { return percentage_; }
  // In the sprite's unit square, clamped to (0,0)..(1,1).
  void setMidpoint(const Vec2& midpoint);
  const Vec2& getMidpoint() const { return midpoint_; }
  // How much each axis of a bar grows with the percentage: 1 fully, 0 not at all.
  void setBarChangeRate(const Vec2& rate);
  const Vec2& getBarChangeRate() const { return barChangeRate_; }
  // Radial: sweeps anticlockwise. Bar: shows what lies outside the window.
  void setReverseDirection(bool reverse);
  bool isReverseDirection() const { return reverseDirection_; }

  int getVertexDataCount() const { return static_cast<int>(vertexData_.size()); }
  const V2F_C4B_T2F* getVertexData() const { return vertexData_.data(); }

  // The corner i (0..3) of the unit square in sweep order; (0, 0) for any other i.
  Vec2 boundaryTexCoord(int index) const;

 protected:
  ProgressTimer() = default;

  void updateProgress();
  void updateRadial();
  void updateBar();
  // The vertex of a point in the unit square: texture coordinate and position between the
  // sprite quad's bottom-left and top-right.
  V2F_C4B_T2F vertexFromAlphaPoint(const Vec2& alpha) const;
  void freeVertexData() { vertexData_.clear(); }
  void onDraw(Renderer* renderer, const Mat4& transform);

  Type type_ = Type::RADIAL;
  Vec2 midpoint_;
  Vec2 barChangeRate_;
  float percentage_ = 0.0f;
  Sprite* sprite_ = nullptr;  // retained
  std::vector<V2F_C4B_T2F> vertexData_;
  CustomCommand customCommand_;
  bool reverseDirection_ = false;
  GLProgramState* programState_ = nullptr;  // retained
};

}  // namespace engine
