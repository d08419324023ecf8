#pragma once
// The world view's form of the achievement pop-up: an unlocked achievement slides down as the
// banner of the running main layer (made and added there on first use). Without a main layer
// the unlock is only kept. The application registers one with the statistics store.
//
// Main thread only.

#include "game/stats/achievement_popup.h"

class AchievementDialog;

class AchievementBannerPopup final : public AchievementPopup {
 public:
  void show(const AchievementRow& row) override;
};

// The banner of the running main layer, made and added to it when it has none; null without a
// main layer or when the banner cannot be made.
AchievementDialog* mainLayerAchievementDialog();
