// A client's player uses a block ([2][26]): the host runs the one block use its own player's
// clicks run, for her copy on the host (`PlayerServer` is a `BlockUser`), so doors, levers,
// switches and trapdoors, fruit, shelves, fuses, attachments, tilling, fertiliser, stables, locks,
// signs, beds, portals and the containers do for her what they do for the host's own player. What
// the use changes in the world reaches every client through the rules; what it tells, spends or
// opens reaches her.
//
// The request is judged as her own game judges it before sending it, from what the host knows of
// her: where the host has her (a step's allowance for moves not yet heard of) and what its copy of
// her items holds. A use her game would not have asked for does nothing and says nothing.

#include "game/rules/block_use.h"
#include "net/endpoint/net_server.h"
#include "world/world.h"

namespace {

// No screen shows a cell farther than this from its player, whatever the use allows.
constexpr int kScreenReach = 40;

}  // namespace

void NetServer::useBlockFor(PlayerServerDesktop& player, MapBlock& cell, uint8_t layer) {
  World& hosted = *world();
  if (!isUsableCell(hosted.map(), cell, layer)) return;
  if (!blockUsable(hosted, cell, layer, player)) return;
  ::useBlock(hosted, cell, layer, player);
}

void NetServer::useBlock(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic&) {
  const wire::Cell at = in.cell();
  const uint8_t layer = in.u8() == 0 ? MapBlock::kFront : MapBlock::kBack;
  player.heldStillCarried();
  if (MapBlock* cell = cellNear(player, at, kScreenReach)) useBlockFor(player, *cell, layer);
}
