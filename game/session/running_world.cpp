#include "game/session/running_world.h"

#include "game/player/player_desktop.h"
#include "game/rules/local_logic.h"
#include "game/rules/rule_entities.h"
#include "game/session/game.h"
#include "game/stats/stats_store.h"
#include "world/current_world.h"
#include "world/world.h"

template <class T>
void RunningHold<T>::operator()(T* held) const {
  if (owned) delete held;
}

template struct RunningHold<World>;
template struct RunningHold<PlayerDesktopLocal>;

namespace {
// Empty again, with an owning hold for whatever comes next.
template <class Held>
void letGo(Held& held) {
  held = Held();
}
}  // namespace

RunningWorld::RunningWorld() = default;
RunningWorld::~RunningWorld() = default;

void RunningWorld::borrow(World& lent, PlayerDesktopLocal* lentPlayer) {
  RunningHold<World> worldHold;
  worldHold.owned = false;
  world = std::unique_ptr<World, RunningHold<World>>(&lent, worldHold);
  RunningHold<PlayerDesktopLocal> playerHold;
  playerHold.owned = false;
  player = std::unique_ptr<PlayerDesktopLocal, RunningHold<PlayerDesktopLocal>>(lentPlayer, playerHold);
}

void RunningWorld::giveBack(uint32_t worldSerial, uint32_t playerId) {
  if (!borrowed() || world->serial() != worldSerial) return;
  if (player != nullptr && player->playerId() != playerId) return;
  letGo(player);
  if (currentWorld() == world.get()) setCurrentWorld(nullptr);
  letGo(world);
}

RunningWorld& runningWorld() {
  static RunningWorld running;
  return running;
}

void endWorld(RunningWorld& running, Game& game, LocalLogic& rules, StatsStore* stats) {
  rules.entities().clearAll();
  if (stats != nullptr) stats->clearUnlocked();
  game.lendPlayer(nullptr);
  game.lendWorld(nullptr);
  rules.setPlayer(nullptr);
  rules.setWorld(nullptr);
  letGo(running.player);
  if (currentWorld() == running.world.get()) setCurrentWorld(nullptr);
  letGo(running.world);
}
