// A client catches a mob in two steps: the capture rule (`LocalLogic::captureMob`) offers her
// player the mob's item ([5][91], an answer wanted), and only the client's "taken" answer ends the
// capture: the held collar is used up, everyone sees the capture, and the mob leaves the world.
// "Not taken" leaves the mob free.

#include "entities/mobs/mob_entity.h"
#include "game/rules/local_logic.h"
#include "net/endpoint/net_server.h"

bool NetServer::captureTaken(PlayerServerDesktop& player, Entity& entity) {
  auto* mob = entity_cast<MobEntity>(&entity);
  if (mob == nullptr) return false;
  if (LocalLogic* rules = localRules()) rules->completeCapture(player, *mob);
  return true;
}
