#pragma once
// The seam through which an unlocked achievement reaches the screen. The view registers its
// pop-up at launch; without one the unlock is only kept and reported to the store front.
// Main thread only.

struct AchievementRow;

class AchievementPopup {
 public:
  virtual ~AchievementPopup() = default;
  virtual void show(const AchievementRow& row) = 0;
};

class NullAchievementPopup final : public AchievementPopup {
 public:
  void show(const AchievementRow&) override {}
};
