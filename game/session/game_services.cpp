#include "game/session/game_services.h"

#include "game/session/game_saves.h"
#include "game/session/game_screen.h"

GameScreen& screenOf(const GameServices& services) {
  static NullGameScreen none;  // stateless: every game without a screen may share it
  return services.screen != nullptr ? *services.screen : none;
}

GameSaves& savesOf(const GameServices& services) {
  static NullGameSaves none;  // stateless
  return services.saves != nullptr ? *services.saves : none;
}
