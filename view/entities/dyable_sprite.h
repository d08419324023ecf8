#pragma once
// A sprite whose colour is the light the world gives it times a dye of its own (entity_tint.h).
// The player's sprite turns the dye on and off directly on the fields, then calls `setColor`
// with `lightColour` again.
//
// Main thread only.

#include <cstdint>

#include "engine/sprite/sprite.h"

class DyableSprite final : public engine::Sprite {
 public:
  // Autoreleased; null when the sprite does not initialise.
  static DyableSprite* create(engine::Texture2D* texture, const engine::Rect& rect);

  // Stores the light; shows it, or the dye under it while the dye is on.
  void setColor(const engine::Color3B& light) override;
  void setDye(const engine::Color3B& colour);
  void clearDye();

  uint8_t dyeOn = 0;
  engine::Color3B dye;
  engine::Color3B lightColour = engine::Color3B::WHITE;

 private:
  DyableSprite() = default;
};
