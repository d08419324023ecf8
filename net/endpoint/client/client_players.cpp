// The host's player messages applied on a client: to the local player, or to the copy of the
// player the message names.
#include <algorithm>

#include "content/potions/potion_table.h"
#include "game/player/player_body.h"
#include "game/player/player_desktop.h"
#include "net/endpoint/net_client.h"
#include "net/endpoint/net_player_client.h"
#include "net/players/player_messages.h"
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
  switch (in.spec().id) {
    case player_msg::kPlayerCell:
    case player_msg::kTeleport:
      playerCell(in);
      break;
    case player_msg::kPlayerState:
      playerState(in);
      break;
    case player_msg::kMotion: {
      PlayerClientDesktop* copy = remotePlayer(in.peer());
      const std::optional<MotionEvent> motion = player_record::readMotion(in);
      if (copy != nullptr && motion) copy->applyMotionState(*motion);
      break;
    }
    case player_msg::kHeldItem:
    case player_msg::kWornItem:
    case player_msg::kLook:
      playerItem(in);
      break;
    case player_msg::kBuffAdded:
    case player_msg::kBuffRemoved:
    case player_msg::kEffect:
      playerBuff(in);
      break;
    case player_msg::kDeath:
      if (PlayerBase* player = playerOf(in.peer())) player->die();
      break;
    case player_msg::kChat:
      chatLine(in);
      break;
    case player_msg::kMode:
    case player_msg::kFlag:
      playerFlag(in);
      break;
    default:
      localPlayerMessage(in);
      break;
  }
}

// [2][15] a player on its cell (the local one: back to life there, its spawn), [2][18] a teleport.
void NetClient::playerCell(wire::WireIn& in) {
  const uint8_t peer = in.peer();
  MapBlock* cell = cellOf(in.cell());
  PlayerBase* player = playerOf(peer);
  if (cell == nullptr || player == nullptr) return;
  if (in.spec().id == player_msg::kTeleport) {
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
  const uint8_t id = in.spec().id;
  if (id == player_msg::kLook) {
    const uint32_t word = in.u32();
    if (PlayerClientDesktop* copy = remotePlayer(in.peer())) copy->setLookWord(word);
    return;
  }
  wire::PooledItem item = wire::itemFromWire(in);
  const uint8_t first = in.u8();
  const uint8_t index = id == player_msg::kWornItem ? in.u8() : 0;
  PlayerClientDesktop* copy = remotePlayer(in.peer());
  if (copy == nullptr) return;
  if (id == player_msg::kHeldItem) {
    copy->heldItemChanged(std::move(item), first);
  } else {
    copy->setEquipment(std::move(item), first, index);
  }
}

// [2][32] and [2][33] a buff on or off, [2][34] an effect with its own duration.
void NetClient::playerBuff(wire::WireIn& in) {
  const uint8_t id = in.spec().id;
  if (id == player_msg::kEffect) {
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
  if (id == player_msg::kBuffAdded) player->addBuff(buff); else player->removeBuff(buff);
}

void NetClient::chatLine(wire::WireIn& in) {
  const NetPlayerEntry* author = players_.at(in.peer());
  const std::string text = in.chat();
  if (author == nullptr || localPlayer_ == nullptr) return;
  localPlayer_->showMessage(kChatKind, "[" + author->name() + "] " + text);
}

// [2][46] a player's mode byte, [2][48] one of its flags.
void NetClient::playerFlag(wire::WireIn& in) {
  PlayerBase* player = playerOf(in.peer());
  if (in.spec().id == player_msg::kMode) {
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

// The messages that only the local player hears.
void NetClient::localPlayerMessage(wire::WireIn& in) {
  PlayerDesktopLocal* player = localPlayer_;
  if (player == nullptr) return;
  switch (in.spec().id) {
    case player_msg::kSpawnCell: {
      const uint16_t column = in.u16();
      player->setSpawnCell(column, in.u16());
      break;
    }
    case player_msg::kUseUpHeld:
      // The host names the slot its copy held when it spent the item: the player may have
      // selected another since, and spending only a still-selected slot would keep the item.
      player->useUpQuickSlotItem(in.u8());
      break;
    case player_msg::kWearTool:
      player->wearTool(in.u8());
      break;
    case player_msg::kConsumeBait:
      player->consumeBait();
      break;
    case player_msg::kBreath:
      player->breath = std::clamp(in.i32(), 0, PlayerBase::kFullBreath);
      break;
    case player_msg::kDamage: {
      const float amount = in.f32();
      player->takeDamage(amount, in.u8());
      break;
    }
    case player_msg::kHeal:
      player->addHealth(in.f32());
      break;
    case player_msg::kText: {
      const std::string text = in.chat();
      in.u8();
      player->showMessage(in.u8(), text);
      break;
    }
    case player_msg::kPortalDialog:
      player->showPortalTravelDialog(in.u32());
      break;
    case player_msg::kPortalTravel:
      player->travelThroughPortal();
      break;
    case player_msg::kRestored:
      player->notifyRestored();
      break;
    case player_msg::kBagContent:
      bagContent(in);
      break;
    case player_msg::kPosition: {
      in.peer();
      const wire::Point point = in.point();
      placeAt(*player, {point.x, point.y});
      break;
    }
    default:
      // Ids the local player has no operation for yet (the notice dialog) and statistics, which
      // stay on the host.
      break;
  }
}
