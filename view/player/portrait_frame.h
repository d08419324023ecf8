#pragma once
// The small frame of the HUD with the player's character, its health and breath bars and its
// health as a number (tenths of a point). It sits in the lower left corner of the screen; every
// place inside it is written relative to an 80 x 14 box centred on the frame's origin and scaled
// by the interface scale. The main view refreshes it with health / maximum health and breath / 32.
//
// Main thread only.

#include "engine/base/geometry.h"
#include "engine/scene/inner_node.h"

namespace engine {
class Label;
class Sprite;
}  // namespace engine

class PlayerGraphical;

class PortraitFrame final : public engine::InnerNode {
 public:
  static constexpr float kBoxWidth = 80.0f;
  static constexpr float kBoxHeight = 14.0f;
  static constexpr float kBarLength = 55.0f;
  // How far under the window's top the portrait reaches, in interface points: its figure's feet
  // (15.5 points under the figure's middle, drawn 1.15 times larger) hang below the box.
  static constexpr float kReach = 31.0f;

  // Autoreleased. `uiScale` is the interface scale; `screenHeight` places the frame.
  static PortraitFrame* create(PlayerGraphical& player, float uiScale, float screenHeight);

  // Fractions 0-1 of the bars.
  void setHealth(float fraction);
  // The health bar and its number flash a moment: red when hurt, green when healed. A flash still
  // running is not started again.
  void flashHealth(bool hurt);
  static constexpr int kFlashTag = 100;
  void setBreath(float fraction);
  float health() const { return health_; }
  float breath() const { return breath_; }
  PlayerGraphical& player() const { return player_; }

  // The point of a place relative to the box (0-1 each way).
  engine::Vec2 layoutPoint(float rx, float ry) const;

  engine::Sprite* healthFill() const { return healthFill_; }
  engine::Sprite* breathFill() const { return breathFill_; }
  engine::Label* number() const { return number_; }
  engine::InnerNode* character() const { return character_; }

 private:
  PortraitFrame(PlayerGraphical& player, float uiScale) : player_(player), scale_(uiScale) {}
  void addFrame();
  void addCharacter();

  PlayerGraphical& player_;
  float scale_;
  engine::Sprite* healthFill_ = nullptr;  // children of the frame
  engine::Sprite* breathFill_ = nullptr;
  engine::Label* number_ = nullptr;       // null without its font
  engine::InnerNode* character_ = nullptr;
  float health_ = 1.0f;
  float breath_ = 1.0f;
};
