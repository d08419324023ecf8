#pragma once
// The portrait frame in the HUD's upper left corner: the character's name over its health and
// breath bars. Health and breath come in as fractions of their maximum.
//
// Main thread only.

#include <string>

namespace engine {
class InnerNode;
class Label;
class LayerColor;
}  // namespace engine

class PortraitFrame {
 public:
  // Builds the frame into the parent.
  explicit PortraitFrame(engine::InnerNode* parent);

  void setName(const std::string& name);
  // Fractions, clamped to 0..1.
  void setHealth(float fraction);
  void setBreath(float fraction);
  float health() const { return health_; }
  float breath() const { return breath_; }

 private:
  engine::LayerColor* healthBar_ = nullptr;
  engine::LayerColor* breathBar_ = nullptr;
  engine::Label* name_ = nullptr;
  float health_ = 1.0f;
  float breath_ = 1.0f;
};
