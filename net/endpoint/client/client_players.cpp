// The host's player messages applied on a client: to the local player, or to the copy of the
// player the message names.
#include <algorithm>

#include "content/potions/potion_table.h"
#include "game/chat/console_commands.h"
#include "game/player/player_body.h"
#include "game/player/player_desktop.h"
#include "net/endpoint/net_client.h"
#include "net/endpoint/net_player_client.h"
#include "net/players/player_records.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

// Message kinds of the local player's console lines.
constexpr uint8_t kChatKind = 0;

// The player's cell follows a position it was put at.
void placeAt(PlayerBase& player, engine::Vec2 point) {
  player.position = point;
  if (player.world == nullptr) return;
  WorldMap& map = player.world->map();
  const MapBlock* cell = map.cellAt(pixelColumn(point.x, map.width()), pixelRow(point.y));
  if (cell == nullptr) return;
  player.cellX = cell->x;
  player.cellY = cell->y;
}

}  // namespace

void NetClient::handlePlayers(wire::WireIn& in, uint8_t) {
  // Statistics stay on the host; the notice dialog has no operation on the local player yet.
  static constexpr HandlerTable<Handler> kHandlers{
      {wire::PlayerMsg::PlayerCell, &NetClient::playerCell},
      {wire::PlayerMsg::Teleport, &NetClient::playerCell},
      {wire::PlayerMsg::PlayerState, &NetClient::playerState},
      {wire::PlayerMsg::PlayerMotion, &NetClient::playerMotion},
      {wire::PlayerMsg::HeldItem, &NetClient::playerItem},
      {wire::PlayerMsg::WornItem, &NetClient::playerItem},
      {wire::PlayerMsg::Look, &NetClient::playerItem},
      {wire::PlayerMsg::Buff, &NetClient::playerBuff},
      {wire::PlayerMsg::BuffRemoved, &NetClient::playerBuff},
      {wire::PlayerMsg::Effect, &NetClient::playerBuff},
      {wire::PlayerMsg::Death, &NetClient::playerDeath},
      {wire::PlayerMsg::Chat, &NetClient::chatLine},
      {wire::PlayerMsg::PlayerMode, &NetClient::playerFlag},
      {wire::PlayerMsg::PlayerFlag, &NetClient::playerFlag},
      {wire::PlayerMsg::SpawnCell, &NetClient::toLocalPlayer<&NetClient::spawnCell>},
      {wire::PlayerMsg::HeldItemUsedUp, &NetClient::toLocalPlayer<&NetClient::heldItemUsedUp>},
      {wire::PlayerMsg::HeldToolWorn, &NetClient::toLocalPlayer<&NetClient::heldToolWorn>},
      {wire::PlayerMsg::BaitConsumed, &NetClient::toLocalPlayer<&NetClient::baitConsumed>},
      {wire::PlayerMsg::Breath, &NetClient::toLocalPlayer<&NetClient::breath>},
      {wire::PlayerMsg::Damage, &NetClient::toLocalPlayer<&NetClient::damage>},
      {wire::PlayerMsg::Heal, &NetClient::toLocalPlayer<&NetClient::heal>},
      {wire::PlayerMsg::PlayerText, &NetClient::toLocalPlayer<&NetClient::playerText>},
      {wire::PlayerMsg::Portal, &NetClient::toLocalPlayer<&NetClient::portalDialog>},
      {wire::PlayerMsg::PortalTravel, &NetClient::toLocalPlayer<&NetClient::portalTravel>},
      {wire::PlayerMsg::Restored, &NetClient::toLocalPlayer<&NetClient::restored>},
      {wire::PlayerMsg::BagContent, &NetClient::toLocalPlayer<&NetClient::bagContent>},
      {wire::PlayerMsg::PlayerPosition, &NetClient::toLocalPlayer<&NetClient::playerPosition>},
  };
  dispatch(kHandlers, in);
}

void NetClient::playerMotion(wire::WireIn& in) {
  PlayerClientDesktop* copy = remotePlayer(in.peer());
  const std::optional<MotionEvent> motion = player_record::readMotion(in);
  if (copy != nullptr && motion) copy->applyMotionState(*motion);
}

void NetClient::playerDeath(wire::WireIn& in) {
  if (PlayerBase* player = playerOf(in.peer())) player->die();
}

// [2][15] a player on its cell (the local one: back to life there, its spawn), [2][18] a teleport.
void NetClient::playerCell(wire::WireIn& in) {
  const uint8_t peer = in.peer();
  MapBlock* cell = cellOf(in.cell());
  PlayerBase* player = playerOf(peer);
  if (cell == nullptr || player == nullptr) return;
  if (in.spec().is(wire::PlayerMsg::Teleport)) {
    player->teleportTo(*cell);
  } else if (player == localPlayer_) {
    // Back to life on the spawn cell, as the host has her: where she died may be lava or acid.
    player->setSpawnCell(cell->x, cell->y);
    player->teleportTo(*cell);
    player->revive();
  } else {
    player->setCellCoordinates(cell->x, cell->y);
    view_->remotePlayerShown(*remotePlayer(peer));
  }
}

// [2][17] where another player stands as the newcomer learns of it.
void NetClient::playerState(wire::WireIn& in) {
  PlayerClientDesktop* copy = remotePlayer(in.peer());
  const float x = in.f32();
  const float y = in.f32();
  if (copy == nullptr) return;
  placeAt(*copy, {x, y});
  view_->remotePlayerShown(*copy);
}

// [2][21] the held item, [2][22] a worn item, [2][23] the look of another player.
void NetClient::playerItem(wire::WireIn& in) {
  const wire::MessageSpec& spec = in.spec();
  if (spec.is(wire::PlayerMsg::Look)) {
    const uint32_t word = in.u32();
    if (PlayerClientDesktop* copy = remotePlayer(in.peer())) copy->setLookWord(word);
    return;
  }
  wire::PooledItem item = wire::itemFromWire(in);
  const uint8_t first = in.u8();
  const uint8_t index = spec.is(wire::PlayerMsg::WornItem) ? in.u8() : 0;
  PlayerClientDesktop* copy = remotePlayer(in.peer());
  if (copy == nullptr) return;
  if (spec.is(wire::PlayerMsg::HeldItem)) {
    copy->heldItemChanged(std::move(item), first);
  } else {
    copy->setEquipment(std::move(item), first, index);
  }
}

// [2][32] and [2][33] a buff on or off, [2][34] an effect with its own duration.
void NetClient::playerBuff(wire::WireIn& in) {
  const wire::MessageSpec& spec = in.spec();
  if (spec.is(wire::PlayerMsg::Effect)) {
    PlayerBase* player = playerOf(in.peer());
    const uint16_t effect = in.u16();
    const uint16_t duration = in.u16();
    if (player == nullptr || potionDefForValue(effect) == nullptr) return;
    player->stats.buffs.push_back({effect, duration});
    player->refreshAppearance();
    return;
  }
  const uint16_t buff = in.u16();
  PlayerBase* player = playerOf(in.peer());
  if (player == nullptr) return;
  if (spec.is(wire::PlayerMsg::Buff)) player->addBuff(buff); else player->removeBuff(buff);
}

void NetClient::chatLine(wire::WireIn& in) {
  const NetPlayerEntry* author = players_.at(in.peer());
  const std::string text = in.chat();
  if (author == nullptr || localPlayer_ == nullptr) return;
  localPlayer_->showMessage(kChatKind, chatLineOf(author->name(), text));
}

// [2][46] a player's mode byte, [2][48] one of its flags.
void NetClient::playerFlag(wire::WireIn& in) {
  PlayerBase* player = playerOf(in.peer());
  if (in.spec().is(wire::PlayerMsg::PlayerMode)) {
    const uint8_t mode = in.u8();
    if (player != nullptr) player->mode = mode;
    return;
  }
  const uint16_t flag = in.u16();
  const uint8_t on = in.u8();
  if (player == nullptr) return;
  player->stats.setFlag(flag, on != 0);
  player->refreshAppearance();
}

// ---- The messages that only the local player hears ----

void NetClient::spawnCell(wire::WireIn& in, PlayerDesktopLocal& player) {
  const uint16_t column = in.u16();
  player.setSpawnCell(column, in.u16());
}

// The host names the slot its copy held when it spent the item: the player may have selected
// another since, and spending only a still-selected slot would keep the item.
// What the host spent is in its world now (a placed block, a stack on a shelf): her character is
// kept without it.
void NetClient::heldItemUsedUp(wire::WireIn& in, PlayerDesktopLocal& player) {
  player.useUpQuickSlotItem(in.u8());
  itemHandedOver();
}

void NetClient::heldToolWorn(wire::WireIn& in, PlayerDesktopLocal& player) { player.wearTool(in.u8()); }

void NetClient::baitConsumed(wire::WireIn&, PlayerDesktopLocal& player) {
  player.consumeBait();
  itemHandedOver();
}

void NetClient::breath(wire::WireIn& in, PlayerDesktopLocal& player) {
  player.breath = std::clamp(in.i32(), 0, PlayerBase::kFullBreath);
}

void NetClient::damage(wire::WireIn& in, PlayerDesktopLocal& player) {
  const float amount = in.f32();
  player.takeDamage(amount, in.u8());
}

void NetClient::heal(wire::WireIn& in, PlayerDesktopLocal& player) { player.addHealth(in.f32()); }

void NetClient::playerText(wire::WireIn& in, PlayerDesktopLocal& player) {
  const std::string text = in.chat();
  in.u8();
  player.showMessage(in.u8(), text);
}

void NetClient::portalDialog(wire::WireIn& in, PlayerDesktopLocal& player) { player.showPortalTravelDialog(in.u32()); }

void NetClient::portalTravel(wire::WireIn&, PlayerDesktopLocal& player) { player.travelThroughPortal(); }

void NetClient::restored(wire::WireIn&, PlayerDesktopLocal& player) { player.notifyRestored(); }

void NetClient::playerPosition(wire::WireIn& in, PlayerDesktopLocal& player) {
  in.peer();
  const wire::Point point = in.point();
  placeAt(player, {point.x, point.y});
}
