#pragma once
// What the game shows while it starts, plays and sleeps, through the world view and the views
// that sit above it: the loading label and the loading flag, the main view, the start view with
// its dialogs, the sleep fade, the clock's light and sky, music and weather particles. A game is
// given the screen it shows on when it is made (`GameServices::screen`, `Game::screen`); the null
// form shows nothing.
//
// Main thread only: texts produced on the world-load thread reach it through the scheduler.

#include <cstdint>
#include <functional>
#include <string>

#include "world/time/day_clock.h"

class GameInterface;
class World;
class LogicCells;
class LogicEntities;
class StatsStore;
class SwingRules;
struct RunningWorld;

class GameScreen {
 public:
  static constexpr int16_t kNoText = -1;

  virtual ~GameScreen() = default;

  // Sets the loading flag, clears the main layer and shows the loading label with the interface
  // text (kNoText: an empty label).
  virtual void showLoading(int16_t textId) = 0;
  virtual void setLoadingText(const std::string&) = 0;
  virtual void setLoadingTextById(int16_t) = 0;
  // The view stack returns to the main view and the loading flag clears.
  virtual void enterMainView() = 0;
  // The world is made or read and about to be entered: `enter` runs once the screen has made
  // ready what it draws the world with (while the loading screen stays), in a later frame of the
  // main thread; at once on a screen that draws nothing. A screen that goes first drops it.
  virtual void whenReadyToEnter(const World&, std::function<void()> enter) = 0;
  // The start view, opening the dialog when it is not 0.
  virtual void showStartView(int) = 0;
  // The main layer's own per-frame update runs or stops.
  virtual void setMainLayerUpdating(bool) = 0;
  // One world-clock step: the light when it changed, the sky's phase textures.
  virtual void clockStepped(const DayClockStep&) = 0;
  virtual void showSleepFade() = 0;
  virtual void removeSleepFade() = 0;
  virtual void playNextTrack() = 0;
  virtual void spawnWeatherParticles() = 0;
  // The game becomes the one played: the interface acts through it and the roles of its rules it
  // asks (what may be broken, what a held item shoots and the entities behind them, what a melee
  // swing hits) and reads its running world and its statistics (null: none) from now on. `gameUnbound`: that game stops
  // being played (nothing when another is bound meanwhile). Nothing by default: only a screen with an interface has views
  // to bind.
  virtual void gameBound(GameInterface&, LogicCells&, LogicEntities&, SwingRules&, RunningWorld&, const StatsStore*) {}
  virtual void gameUnbound(const GameInterface&) {}
};

// Shows nothing. Not final: tests record the few calls they look at on top of it.
class NullGameScreen : public GameScreen {
 public:
  void showLoading(int16_t) override {}
  void setLoadingText(const std::string&) override {}
  void setLoadingTextById(int16_t) override {}
  void enterMainView() override {}
  void whenReadyToEnter(const World&, std::function<void()> enter) override { enter(); }
  void showStartView(int) override {}
  void setMainLayerUpdating(bool) override {}
  void clockStepped(const DayClockStep&) override {}
  void showSleepFade() override {}
  void removeSleepFade() override {}
  void playNextTrack() override {}
  void spawnWeatherParticles() override {}
};
