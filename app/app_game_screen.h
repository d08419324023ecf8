#pragma once
// The game's screen as the program shows it: the world view's part (the main layer's loading
// label, the world's tree when it is entered, its update, light, sky and sleep fade) and the
// menus' part (the wait view, the main view, the start view with its dialog), each call to the
// world view first, so the views go on top of what the main layer has just built or cleared. The
// game bound to the program is bound to the interface's views.
//
// Main thread only.

#include <utility>

#include "game/session/game_screen.h"
#include "menus/menu_game_screen.h"
#include "ui/ui_launch_services.h"
#include "view/view_game_screen.h"

class AppGameScreen final : public GameScreen {
 public:
  AppGameScreen(RunningWorld& running, UiLaunchServices& interface) : world_(running), interface_(interface) {}

  void showLoading(int16_t textId) override {
    world_.showLoading(textId);
    menus_.showLoading(textId);
  }
  void setLoadingText(const std::string& text) override {
    world_.setLoadingText(text);
    menus_.setLoadingText(text);
  }
  void setLoadingTextById(int16_t textId) override {
    world_.setLoadingTextById(textId);
    menus_.setLoadingTextById(textId);
  }
  void enterMainView() override {
    world_.enterMainView();
    menus_.enterMainView();
  }
  void whenReadyToEnter(const World& world, std::function<void()> enter) override {
    world_.whenReadyToEnter(world, std::move(enter));
  }
  void showStartView(int dialog) override {
    world_.showStartView(dialog);
    menus_.showStartView(dialog);
  }
  void setMainLayerUpdating(bool on) override { world_.setMainLayerUpdating(on); }
  void clockStepped(const DayClockStep& step) override { world_.clockStepped(step); }
  void showSleepFade() override { world_.showSleepFade(); }
  void removeSleepFade() override { world_.removeSleepFade(); }
  void playNextTrack() override { world_.playNextTrack(); }
  void spawnWeatherParticles() override { world_.spawnWeatherParticles(); }
  void gameBound(GameInterface& game, LogicCells& cells, LogicEntities& entities, SwingRules& swing,
                 RunningWorld& running, const StatsStore* stats) override;
  void gameUnbound(const GameInterface& game) override;

 private:
  ViewGameScreen world_;
  UiLaunchServices& interface_;
  MenuGameScreen menus_;
};
