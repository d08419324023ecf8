#pragma once
// The banner of an earned achievement: it waits hidden just above the top edge of the screen,
// slides down when an achievement arrives, shows its title, description and icon for two
// seconds and slides back up, then hides and lets its icon and the icon's texture go. The times
// are the scheduler's (0.5 s down, 2 s shown, 0.5 s up). An achievement that arrives while the
// banner shows is dropped; an icon whose image does not load is left out.
//
// A child of the main layer (z 100, tag 133) for a game's duration. Main thread only.

#include <cstdint>
#include <string>

#include "engine/base/geometry.h"
#include "engine/scene/inner_node.h"

namespace engine {
class Label;
class Sprite;
}  // namespace engine

class AchievementDialog final : public engine::InnerNode {
 public:
  static constexpr int kTag = 133, kZ = 100;
  static constexpr int kTitleTag = 135, kDescriptionTag = 136, kIconZ = 15;
  static constexpr uint16_t kSound = 36;
  // The banner's frame in interface points.
  static constexpr float kWidth = 160, kHeight = 38;
  static constexpr float kSlideSeconds = 0.5f, kShowSeconds = 2.0f;

  // Autoreleased after init; null when its fonts do not load.
  static AchievementDialog* create();
  ~AchievementDialog() override;
  bool init() override;

  // Slides the banner in with the texts and the icon "<number>.png" of the achievements folder;
  // false (nothing changed) while the banner shows.
  bool show(const std::string& title, const std::string& description, uint16_t number);

  engine::Label* titleLabel() const { return titleLabel_; }
  engine::Label* descriptionLabel() const { return descriptionLabel_; }
  engine::Sprite* icon() const { return icon_; }
  // Where the banner waits: centred, half its height above the top edge.
  engine::Vec2 restingPosition() const;
  // The screen point of a relative position (0..1 each) in the banner's frame.
  engine::Vec2 framePoint(float rx, float ry) const;

 private:
  AchievementDialog() = default;
  void addIcon(uint16_t number);
  void finish();

  engine::Label* titleLabel_ = nullptr;
  engine::Label* descriptionLabel_ = nullptr;
  engine::Sprite* icon_ = nullptr;
  std::string iconFile_;
};
