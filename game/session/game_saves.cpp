#include "game/session/game_saves.h"

#include "game/player/player_desktop.h"
#include "world/world.h"

void NullGameSaves::loadWorldFile(const DifficultyRow*, WorldLoaded done) { done({}); }

std::unique_ptr<PlayerDesktopLocal> NullGameSaves::loadLocalPlayer(GameInterface& game, PlayerEvents* events,
                                                                   GameClock* clock) {
  return std::make_unique<PlayerDesktopLocal>(&game, events, clock);
}

