#pragma once
// What the game shows through the main layer while it starts, plays and sleeps: the loading label
// (tag 166, centred, white) and its texts, while which the world's pictures are made ready (entering
// the world waits for them, and takes what is left when it cannot), the world's view when the world is entered, the start
// view, the main layer's per-frame update, the re-tint when the day clock's darkness changes and
// the sleep fade (tag 450). The application registers one for the running world.
// Main thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "game/session/game_screen.h"

struct RunningWorld;
class WorldViewPreparation;

class ViewGameScreen final : public GameScreen {
 public:
  explicit ViewGameScreen(RunningWorld& running);
  ~ViewGameScreen() override;

  void showLoading(int16_t textId) override;
  void setLoadingText(const std::string& text) override;
  void setLoadingTextById(int16_t textId) override;
  void enterMainView() override;
  // The world's sky pictures join the atlases being made ready; `enter` runs in a frame after all
  // are uploaded (at once when nothing was prepared).
  void whenReadyToEnter(const World& world, std::function<void()> enter) override;
  void showStartView(int dialog) override;
  void setMainLayerUpdating(bool on) override;
  void clockStepped(const DayClockStep& step) override;
  void showSleepFade() override;
  void removeSleepFade() override;

  // The ambient pass of the world effects over the window around the player.
  void spawnWeatherParticles() override;
  // The audio engine's next track for the place; it times the check after it on the main layer.
  void playNextTrack() override;

  bool loading() const { return loading_; }

 private:
  RunningWorld& running_;
  bool loading_ = false;
  // What the loading screen makes ready for the world's view, made with the first loading screen.
  std::unique_ptr<WorldViewPreparation> preparation_;
};
