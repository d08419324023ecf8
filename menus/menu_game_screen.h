#pragma once
// The menus' side of what a game shows while it starts and ends: the wait view with its two lines
// during generation and loading, the main view once the world is entered, and the start view (with
// its dialog) when a start fails or a character's game ends. The world view's parts of the screen
// (the main layer's update, light and sky, the sleep fade, music, weather particles) are the world
// view's; this one leaves them alone. The application registers it with setGameScreen.
//
// Main thread only.

#include "game/session/game_screen.h"

class MenuGameScreen : public GameScreen {
 public:
  void showLoading(int16_t textId) override;
  void setLoadingText(const std::string& text) override;
  void setLoadingTextById(int16_t textId) override;
  void enterMainView() override;
  void showStartView(int dialog) override;

  // ---- The world view's ----
  void setMainLayerUpdating(bool) override {}
  void clockStepped(const DayClockStep&) override {}
  void showSleepFade() override {}
  void removeSleepFade() override {}
  void playNextTrack() override {}
  void spawnWeatherParticles() override {}
};
