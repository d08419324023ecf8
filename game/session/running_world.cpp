#include "game/session/running_world.h"

#include "game/player/player_desktop.h"
#include "game/rules/local_logic.h"
#include "game/rules/rule_entities.h"
#include "game/session/game.h"
#include "game/stats/stats_store.h"
#include "world/current_world.h"
#include "world/world.h"

RunningWorld::RunningWorld() = default;
RunningWorld::~RunningWorld() = default;

RunningWorld& runningWorld() {
  static RunningWorld running;
  return running;
}

void endWorld(RunningWorld& running, Game& game, LocalLogic& rules) {
  rules.entities().clearAll();
  statsStore().clearUnlocked();
  game.player = nullptr;
  game.world = nullptr;
  rules.setPlayer(nullptr);
  rules.setWorld(nullptr);
  running.player.reset();
  if (currentWorld() == running.world.get()) setCurrentWorld(nullptr);
  running.world.reset();
}
