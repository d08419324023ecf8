#include "net/host_game/net_logic.h"

#include <vector>

#include "content/items/block_edit.h"
#include "game/player/player.h"
#include "game/rules/block_edit_rules.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/players/player_server.h"
#include "net/wire/wire_out.h"
#include "world/cells/map_block.h"
#include "world/rules/game.h"
#include "world/world.h"

NetLogic::NetLogic(NetServer& server, World* world, Player* player, const DifficultyRow* difficulty)
    : LocalLogic(world, player, difficulty), server_(server) {}

uint8_t NetLogic::peerOf(const PlayerBase* player) const {
  if (player == nullptr) return kNoPeer;
  const NetPlayerTable& table = server_.players();
  for (size_t peer = 0; peer < table.size(); ++peer) {
    const NetPlayerServer* entry = server_.entryOf(static_cast<uint8_t>(peer));
    if (entry != nullptr && entry->player() == player) return static_cast<uint8_t>(peer);
  }
  return kNoPeer;
}

void NetLogic::sendToAll(const wire::WireOut& message) { server_.send(message.data(), message.size(), 0); }

void NetLogic::sendToAllButActor(const wire::WireOut& message, PlayerBase* actor, EffectAudience audience) {
  const uint8_t peer = peerOf(actor);
  const bool clientStartedIt = audience == EffectAudience::AllButActor && peer != kNoPeer && peer != kel::NET_HOST_PEER;
  if (clientStartedIt) {
    server_.sendToAllBut(message, peer);
  } else {
    sendToAll(message);
  }
}

// ---- Cells ----

bool NetLogic::editBlock(const BlockEdit& edit, PlayerBase* player) {
  if (!editAllowed(edit, player)) return false;
  // The clients hear of it before the host's world changes, so that what the change sends on
  // (loot, entities) reaches them after the edit itself.
  sendToAll(wire::hostMessage(wire::WorldChangeMsg::BlockEdit).u8(0).blockEdit(edit));
  editing_ = player;
  world()->edits().applyBlockEdit(edit, player);
  editing_ = nullptr;
  // A client's placement uses up what it held, on the host's copy and, told so, on the client:
  // else a joined player would place blocks it never spends.
  if (edit.takeHeld != 0 && placesHeldItem(edit.kind)) {
    if (PlayerServer* client = server_.remoteOf(player)) client->consumeHeldItem();
  }
  return true;
}

void NetLogic::reportCellMarked(MapBlock& cell) { sendToAll(wire::hostMessage(wire::WorldChangeMsg::TimedCellAdded).cell(cell.x, cell.y)); }

void NetLogic::reportCellUnmarked(MapBlock& cell) {
  sendToAll(wire::hostMessage(wire::WorldChangeMsg::TimedCellRemoved).cell(cell.x, cell.y));
}

void NetLogic::setCircuitInput(MapBlock& cell, uint8_t value) {
  LocalLogic::setCircuitInput(cell, value);
  sendToAll(wire::hostMessage(wire::WorldChangeMsg::CircuitSetting).cell(cell.x, cell.y).u8(value));
}

// ---- Effects ----

void NetLogic::playCellEffect(PlayerBase* player, MapBlock& cell, uint8_t effect, EffectAudience audience) {
  LocalLogic::playCellEffect(player, cell, effect, audience);
  sendToAllButActor(wire::hostMessage(wire::EffectMsg::CellEffect).cell(cell.x, cell.y).u8(effect), player, audience);
}

void NetLogic::playPlayerAction(PlayerBase* player, uint8_t action, uint8_t value, EffectAudience audience) {
  if (player == nullptr) return;
  player->playAction(action, value);
  const uint8_t peer = peerOf(player);
  if (peer == kNoPeer) return;  // a player the endpoint does not hold has nobody to show it to
  sendToAllButActor(wire::hostMessage(wire::EffectMsg::PlayerAction).peer(peer).u8(action).u8(value), player, audience);
}

void NetLogic::playSound(MapBlock& cell, uint16_t soundId, uint16_t value) {
  LocalLogic::playSound(cell, soundId, value);
  sendToAll(wire::hostMessage(wire::EffectMsg::CellSound).cell(cell.x, cell.y).u16(soundId).u16(value));
}

// ---- Players ----

void NetLogic::setPlayerFlag(PlayerBase* player, uint16_t flag, uint8_t on) {
  const uint8_t peer = peerOf(player);
  if (peer == kNoPeer) return;
  LocalLogic::setPlayerFlag(player, flag, on);
  sendToAll(wire::hostMessage(wire::PlayerMsg::PlayerFlag).peer(peer).u16(flag).u8(on));
}

void NetLogic::teleportPlayer(PlayerBase* player, MapBlock& cell) {
  const uint8_t peer = peerOf(player);
  if (peer == kNoPeer) return;
  LocalLogic::teleportPlayer(player, cell);
  sendToAll(wire::hostMessage(wire::PlayerMsg::Teleport).peer(peer).cell(cell.x, cell.y));
}

void NetLogic::setPlayerInBed(PlayerBase* player, uint8_t inBed) {
  if (player == nullptr || peerOf(player) == kNoPeer) return;
  std::vector<PlayerBase*> present;
  forEachPlayer([&present](PlayerBase* each) { present.push_back(each); });
  beds_.lieDown(*player, inBed != 0, present);
}

void NetLogic::endLife(PlayerBase& player) {
  if (&player == this->player()) sendToAll(wire::hostMessage(wire::PlayerMsg::Death).peer(kel::NET_HOST_PEER));
  LocalLogic::endLife(player);
}

// Every player comes back on its own spawn cell: the host's player on his, a client's on the one
// she was admitted with (the host player's) unless her bed has since told her it set hers there.
void NetLogic::respawnPlayer(PlayerBase* player) {
  const uint8_t peer = peerOf(player);
  if (peer == kNoPeer || world() == nullptr) return;
  player->respawnReset();
  const MapBlock* cell = returnToLife(*player);
  if (cell == nullptr) return;
  sendToAll(wire::hostMessage(wire::PlayerMsg::Teleport).peer(peer).cell(cell->x, cell->y));
  playPlayerAction(player, rule_action::kRevived, 0, EffectAudience::Everyone);
}
