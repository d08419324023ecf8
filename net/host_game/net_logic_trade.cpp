// A trade request on the host: the asking player asks the player standing on the cell it clicked.

#include "game/player/player_base.h"
#include "net/endpoint/net_server.h"
#include "net/host_game/net_logic.h"
#include "world/cells/map_block.h"

void NetLogic::requestTrade(PlayerBase* asking, PlayerBase* asked) {
  if (asking == nullptr || asked == nullptr || asked->currentMapBlock() == nullptr) return;
  askTradePartnerAt(*asking, *asked->currentMapBlock());
}

// The endpoint walks the players on the cell (who is free, the request sent to the one asked, the
// texts shown to the asker): the host's own player asks through the same way as a client.
void NetLogic::askTradePartnerAt(PlayerBase& asking, const MapBlock& cell) {
  server_.requestTradeAt(asking, &cell);
}
