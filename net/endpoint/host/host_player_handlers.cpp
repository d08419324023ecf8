// The host's handling of category 2 (players and their actions). Every message here has been
// claimed for its sender (sender_claim.h), so the player acted on is the sender's own and what is
// forwarded carries the sender's id.

#include <algorithm>
#include <optional>
#include <span>
#include <string>

#include "game/crafting/recipe_knowledge.h"
#include "game/player/player_base.h"
#include "game/rules/local_logic.h"
#include "game/rules/player_rules.h"
#include "net/endpoint/host/client_console.h"
#include "net/endpoint/host/host_bounds.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/players/player_messages.h"
#include "net/players/player_records.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

// The requests only a client sends; the rest are the player messages' own ids.
namespace request {
constexpr uint8_t kRespawn = 15;
constexpr uint8_t kBuffRequest = 35;
constexpr uint8_t kSignalEntities = 55;
constexpr uint8_t kLearnEntry = 59;
}  // namespace request

}  // namespace

// A client's player flies where the host's own would: in a creative world, or with a flight
// flag the host gave it.
bool NetServer::mayFly(const PlayerBase& player) const {
  return (world() != nullptr && world()->isCreative()) || player.hasFlag(player_flag::kFlying) ||
         player.hasFlag(player_flag::kNoClip);
}

// Only a dead player comes back, on its spawn cell: a living one asking would move there at will.
void NetServer::respawn(PlayerServerDesktop& player) {
  if (player.dead == 0 || world() == nullptr) return;
  player.respawnReset();
  if (MapBlock* cell = world()->map().cellAt(player.spawnCellX, player.spawnCellY)) player.teleportTo(*cell);
  player.revive();
}

void NetServer::handlePlayers(wire::WireIn& in, uint8_t peer) {
  PlayerServerDesktop* player = remoteActor(peer);
  if (player == nullptr) return;
  switch (in.spec().id) {
    case player_msg::kMotion: {
      in.peer();
      const std::optional<MotionEvent> motion = player_record::readMotion(in);
      if (!motion) return;
      MapBlock* left = player->currentMapBlock();
      player->applyMotionState(*motion);
      // A player who walked into another cell takes what lies there, as the host's own does; a
      // record that puts it far from where it was walked over nothing on the way.
      MapBlock* entered = player->currentMapBlock();
      const bool walked = left != nullptr && entered != nullptr && entered != left && world() != nullptr &&
                          host::cellWithinReach(*player, *left, world()->map().width(), host::kToolReach);
      if (walked) player->moveToCell(left);
      forward(in, peer);
      break;
    }
    case player_msg::kLook:
      player->setLookWord(in.u32());  // kept for the players who enter later
      forward(in, peer);
      break;
    case request::kRespawn:
      respawn(*player);
      break;
    case player_msg::kHeldItem: {
      wire::PooledItem item = wire::itemFromWire(in);
      const uint8_t slot = in.u8();
      player->heldItemChanged(std::move(item), slot);
      forward(in, peer);
      break;
    }
    case player_msg::kWornItem: {
      wire::PooledItem item = wire::itemFromWire(in);
      const uint8_t part = in.u8();
      const uint8_t index = in.u8();
      if (!host::wornPlaceFits(part, index)) return;
      player->setEquipment(std::move(item), part, index);
      forward(in, peer);
      break;
    }
    case player_msg::kEffect: {
      in.peer();
      if (!host::buffIdFits(in.u16())) return;
      forward(in, peer);
      break;
    }
    case request::kBuffRequest: {
      in.peer();
      const uint16_t buff = in.u16();
      if (!host::buffIdFits(buff)) return;
      // The player tells every client itself ([2][33]); clients take no request of the kind.
      player->removeBuff(buff);
      player->refreshAppearance();
      break;
    }
    case player_msg::kDamage: {
      const float amount = in.f32();
      const uint8_t kind = in.u8();
      auto* rules = world() != nullptr ? dynamic_cast<PlayerRules*>(&world()->rules()) : nullptr;
      if (rules != nullptr && host::damageFits(amount)) rules->damagePlayer(*player, amount, kind);
      break;
    }
    case player_msg::kChat: {
      in.peer();
      const std::string text = in.chat();
      forward(in, peer);
      notices().consoleLine("[" + entryOf(peer)->name() + "] " + text);
      break;
    }
    case player_msg::kCommand: {
      in.peer();
      // Run for the sender's own player, whatever peer the message named: never as the host.
      ClientConsole console(*entryOf(peer), *player);
      runConsoleCommand(console, in.chat());
      break;
    }
    case player_msg::kMode: {
      in.peer();
      const uint8_t mode = in.u8();
      if (!host::modeFits(mode, mayFly(*player))) return;
      player->mode = mode;
      forward(in, peer);
      break;
    }
    case request::kSignalEntities: {
      const wire::Point point = in.point();
      const bool invert = in.u8() != 0;
      if (LocalLogic* rules = localRules()) rules->signalEntitiesNear(player, {point.x, point.y}, invert);
      break;
    }
    case player_msg::kCraftKnowledge: {
      const uint8_t allKnown = in.u8();
      RecipeKnowledge::Bitset known{};
      const std::span<const uint8_t> bits = in.raw(known.size());
      std::copy(bits.begin(), bits.end(), known.begin());
      if (host::craftKnowledgeFits(allKnown, known)) player->setCraftKnowledge(allKnown != 0, known);
      break;
    }
    case request::kLearnEntry: {
      const uint16_t entry = in.u16();
      if (host::entryIdFits(entry)) player->learnEntry(entry);
      break;
    }
    default:
      handlePlayerRequest(in, *player);
      break;
  }
}
