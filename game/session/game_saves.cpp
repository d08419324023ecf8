#include "game/session/game_saves.h"

#include "game/player/player_desktop.h"
#include "world/world.h"

namespace {
GameSaves*& slot() {
  static GameSaves* saves = nullptr;
  return saves;
}
}  // namespace

LoadedWorld GameSaves::loadWorldFile(const DifficultyRow*) { return {}; }

std::unique_ptr<PlayerDesktopLocal> GameSaves::loadLocalPlayer(GameInterface& game) {
  return std::make_unique<PlayerDesktopLocal>(&game);
}

GameSaves& gameSaves() {
  static GameSaves none;
  GameSaves* saves = slot();
  return saves != nullptr ? *saves : none;
}

void setGameSaves(GameSaves* saves) { slot() = saves; }
