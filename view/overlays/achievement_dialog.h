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
#include "view/inventory/layout_box.h"

namespace engine {
class Label;
class Sprite;
class Texture2D;
}  // namespace engine

class AchievementDialog final : public engine::InnerNode {
 public:
  // Over the views (50) and the HUD's cell pieces (90): the views keep their titles below the
  // banner, so it covers none and none covers it.
  static constexpr int kTag = 133, kZ = 100;
  static constexpr int kTitleTag = 135, kDescriptionTag = 136, kIconZ = 15;
  static constexpr uint16_t kSound = 36;
  // The banner's frame in interface points.
  static constexpr float kWidth = 160, kHeight = 38;
  static constexpr float kSlideSeconds = 0.5f, kShowSeconds = 2.0f;
  // The texts' room in the frame, in interface points: from the left of the texts (a quarter in)
  // to the inset right edge, the title in the upper half, the description in the lower.
  static constexpr float kTextLeft = 0.25f, kTextInset = 4.0f, kTitleMiddle = 0.75f, kDescriptionTop = 0.55f;

  // How far the shown banner reaches down from the top of the screen, in points.
  static float shownHeight();

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
  // The banner's frame, centred on its position.
  const LayoutBox& box() const { return box_; }

 private:
  AchievementDialog() = default;
  void addIcon(uint16_t number);
  // The frame and the texts placed and sized for the interface scale of now.
  void fitToScale();
  // Each text drawn as large as it may be while it stays inside its part of the frame.
  void fitTexts();
  void finish();

  LayoutBox box_{engine::Vec2(-kWidth / 2, -kHeight / 2), engine::Size(kWidth, kHeight), true, false};
  engine::Label* titleLabel_ = nullptr;
  engine::Label* descriptionLabel_ = nullptr;
  engine::Sprite* icon_ = nullptr;
  std::string iconFile_;
};

// A sprite of the texture's rectangle at the point of a relative position in the box, scaled by
// the interface scale, added to the parent; null (nothing added) when it cannot be made.
engine::Sprite* addSpriteAtLayoutPoint(engine::Texture2D* texture, const engine::Rect& rect,
                                       const engine::Vec2& relative, const LayoutBox& box,
                                       engine::InnerNode& parent, int z, int tag);
// The same at a given position.
engine::Sprite* addSpriteAt(engine::Texture2D* texture, const engine::Rect& rect, const engine::Vec2& position,
                            engine::InnerNode& parent, int z, int tag);
