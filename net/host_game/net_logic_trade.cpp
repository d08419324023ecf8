// A trade request on the host: the asking player asks the player it clicked.

#include "game/player/player_base.h"
#include "net/endpoint/net_server.h"
#include "net/host_game/net_logic.h"

// The endpoint checks the one asked (in the game, near, free) and sends the request: the host's
// own player asks the same way as a client.
void NetLogic::requestTrade(PlayerBase* asking, PlayerBase* asked) {
  if (asking != nullptr) server_.requestTradeWith(*asking, asked);
}
