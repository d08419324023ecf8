// What a client's player leaves behind when the client goes (its departure, a lost connection or
// a crash): a container it had open opens for everyone again, a trade it was in ends for the
// partner, and its pet and fishing bobber leave the world with it. Without this a chest stays "in
// use" until the host restarts and every return summons one more ownerless pet.

#include "game/player/player_base.h"
#include "game/rules/local_logic.h"
#include "game/rules/rule_entities.h"
#include "game/trade/trade_session.h"
#include "net/endpoint/net_server.h"

void NetServer::leaveWorldBehind(PlayerBase& player) {
  // The client is gone: it is told nothing.
  if (player.openContainer() != nullptr) {
    player.leaveContainer(false);
  } else {
    cancelTradeOf(player);
  }
  if (LocalLogic* rules = localRules()) {
    rules->entities().dismissPets(player.playerId());
    rules->entities().dismissBobbers(player.playerId());
  }
}
