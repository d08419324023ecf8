// A client catches a mob in two steps: the capture rule (`LocalLogic::captureMob`) offers her
// player the mob's item ([5][91], an answer wanted), and only the client's "taken" answer ends the
// capture: the collar she holds then is used up, everyone sees the capture, and the mob leaves the
// world. "Not taken", or a hand that no longer holds a collar, leaves the mob free.

#include "entities/mobs/mob_entity.h"
#include "game/rules/local_logic.h"
#include "net/endpoint/net_server.h"

void NetServer::captureAnswered(PlayerServerDesktop& player, MobEntity& mob, bool taken) {
  const EntityId offer = mob.id();
  LocalLogic* rules = localRules();
  // The rule judges her collar again first: the mob's item joins the host's copy of her items only
  // with the capture made.
  if (taken && rules != nullptr && rules->completeCapture(player, mob)) {
    player.offerTaken(offer);
  } else {
    player.forgetOffer(offer);
  }
}
