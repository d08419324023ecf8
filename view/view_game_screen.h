#pragma once
// What the game shows through the main layer while it starts, plays and sleeps: the loading label
// (tag 166, centred, white) and its texts, the world's view when the world is entered, the start
// view, the main layer's per-frame update, the re-tint when the day clock's darkness changes and
// the sleep fade (tag 450). The application registers one for the running world.
// Main thread only.

#include <cstdint>
#include <string>

#include "game/session/game_screen.h"

struct RunningWorld;

class ViewGameScreen final : public GameScreen {
 public:
  explicit ViewGameScreen(RunningWorld& running) : running_(running) {}

  void showLoading(int16_t textId) override;
  void setLoadingText(const std::string& text) override;
  void setLoadingTextById(int16_t textId) override;
  void enterMainView() override;
  void showStartView(int dialog) override;
  void setMainLayerUpdating(bool on) override;
  void clockStepped(const DayClockStep& step) override;
  void showSleepFade() override;
  void removeSleepFade() override;

  // ---- Shown by other parts of the view and the audio ----
  // The next track is the audio engine's.
  void playNextTrack() override {}
  // The ambient pass over the tile window's cells around the player, with the local players'
  // worn-item effects; nothing without a world view.
  void spawnWeatherParticles() override;

  bool loading() const { return loading_; }

 private:
  RunningWorld& running_;
  bool loading_ = false;
};
