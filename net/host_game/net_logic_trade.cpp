// A trade request on the host: the asking player asks the player standing on the cell it clicked.

#include "game/player/player_base.h"
#include "net/host_game/net_logic.h"
#include "world/cells/map_block.h"

namespace {

constexpr uint16_t kTextNobodyToAsk = 162;
constexpr uint8_t kMessageRefusal = 3;

}  // namespace

void NetLogic::requestTrade(PlayerBase* asking, PlayerBase* asked) {
  if (asking == nullptr || asked == nullptr || asked->currentMapBlock() == nullptr) return;
  askTradePartnerAt(*asking, *asked->currentMapBlock());
}

// The trade sessions' walk over the players on the cell (who is free, the request sent to the one
// asked, the texts shown to the asker) belongs to the trades; until the host's trades are there,
// nobody on the cell can be asked and the asker is told so.
void NetLogic::askTradePartnerAt(PlayerBase& asking, const MapBlock&) {
  showTextById(&asking, kTextNobodyToAsk, kMessageRefusal);
}
