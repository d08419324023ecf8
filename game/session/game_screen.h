#pragma once
// What the game shows while it starts, plays and sleeps, through the world view and the views
// that sit above it: the loading label and the loading flag, the main view, the start view with
// its dialogs, the sleep fade, the clock's light and sky, music and weather particles. The view
// registers its implementation at launch; the null form shows nothing.
//
// Main thread only: texts produced on the world-load thread reach it through the scheduler.

#include <cstdint>
#include <string>

#include "world/time/day_clock.h"

class GameScreen {
 public:
  static constexpr int16_t kNoText = -1;

  virtual ~GameScreen() = default;

  // Sets the loading flag, clears the main layer and shows the loading label with the interface
  // text (kNoText: an empty label).
  virtual void showLoading(int16_t) {}
  virtual void setLoadingText(const std::string&) {}
  virtual void setLoadingTextById(int16_t) {}
  // The view stack returns to the main view and the loading flag clears.
  virtual void enterMainView() {}
  // The start view, opening the dialog when it is not 0.
  virtual void showStartView(int) {}
  // The main layer's own per-frame update runs or stops.
  virtual void setMainLayerUpdating(bool) {}
  // One world-clock step: the light when it changed, the sky's phase textures.
  virtual void clockStepped(const DayClockStep&) {}
  virtual void showSleepFade() {}
  virtual void removeSleepFade() {}
  virtual void playNextTrack() {}
  virtual void spawnWeatherParticles() {}
};

GameScreen& gameScreen();
// Not owned; null restores the null form.
void setGameScreen(GameScreen* screen);
