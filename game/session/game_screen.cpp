#include "game/session/game_screen.h"

namespace {
GameScreen*& slot() {
  static GameScreen* screen = nullptr;
  return screen;
}
}  // namespace

GameScreen& gameScreen() {
  static GameScreen none;
  GameScreen* screen = slot();
  return screen != nullptr ? *screen : none;
}

void setGameScreen(GameScreen* screen) { slot() = screen; }
