// The host's handling of category 2 (players and their actions). Every message here has been
// claimed for its sender (sender_claim.h), so the player acted on is the sender's own and what is
// forwarded carries the sender's id.

#include <algorithm>
#include <optional>
#include <span>
#include <string>

#include "game/player/player_base.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/rules/local_logic.h"
#include "game/rules/player_rules.h"
#include "net/endpoint/host/host_bounds.h"
#include "net/players/player_records.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

namespace id {
constexpr uint8_t kMotion = 20;
constexpr uint8_t kHeldItem = 21;
constexpr uint8_t kWornItem = 22;
constexpr uint8_t kLook = 23;
constexpr uint8_t kEffect = 34;
constexpr uint8_t kBuffRemoved = 35;
constexpr uint8_t kDamage = 39;
constexpr uint8_t kChat = 43;
constexpr uint8_t kMode = 46;
constexpr uint8_t kSignalEntities = 55;
constexpr uint8_t kCraftKnowledge = 58;
constexpr uint8_t kLearnEntry = 59;
}  // namespace id

}  // namespace

LocalLogic* NetServer::localRules() const {
  return world() != nullptr ? dynamic_cast<LocalLogic*>(&world()->rules()) : nullptr;
}

PlayerBase* NetServer::actor(uint8_t peer) const {
  const NetPlayerServer* entry = peer != kel::NET_HOST_PEER ? entryOf(peer) : nullptr;
  return entry != nullptr ? entry->player() : nullptr;
}

PlayerServerDesktop* NetServer::remoteActor(uint8_t peer) const {
  const NetPlayerServer* entry = peer != kel::NET_HOST_PEER ? entryOf(peer) : nullptr;
  return entry != nullptr ? entry->remote() : nullptr;
}

void NetServer::forward(const wire::WireIn& in, uint8_t sender) {
  const std::span<const uint8_t> bytes = in.bytes();
  if (bridge_ != nullptr) bridge_->sendToAllBut(bytes.data(), static_cast<uint32_t>(bytes.size()), sender);
}

void NetServer::handlePlayers(wire::WireIn& in, uint8_t peer) {
  PlayerServerDesktop* player = remoteActor(peer);
  if (player == nullptr) return;
  switch (in.spec().id) {
    case id::kMotion: {
      in.peer();
      const std::optional<MotionEvent> motion = player_record::readMotion(in);
      if (!motion) return;
      player->applyMotionState(*motion);
      forward(in, peer);
      break;
    }
    case id::kLook:
      forward(in, peer);
      break;
    case id::kHeldItem: {
      wire::PooledItem item = wire::itemFromWire(in);
      const uint8_t slot = in.u8();
      player->heldItemChanged(std::move(item), slot);
      forward(in, peer);
      break;
    }
    case id::kWornItem: {
      wire::PooledItem item = wire::itemFromWire(in);
      const uint8_t part = in.u8();
      const uint8_t index = in.u8();
      if (!host::wornPlaceFits(part, index)) return;
      player->setEquipment(std::move(item), part, index);
      forward(in, peer);
      break;
    }
    case id::kEffect: {
      in.peer();
      if (!host::buffIdFits(in.u16())) return;
      forward(in, peer);
      break;
    }
    case id::kBuffRemoved: {
      in.peer();
      const uint16_t buff = in.u16();
      if (!host::buffIdFits(buff)) return;
      // The player tells every client itself ([2][33]); clients take no request of the kind.
      player->removeBuff(buff);
      player->refreshAppearance();
      break;
    }
    case id::kDamage: {
      const float amount = in.f32();
      const uint8_t kind = in.u8();
      auto* rules = world() != nullptr ? dynamic_cast<PlayerRules*>(&world()->rules()) : nullptr;
      if (rules != nullptr && host::damageFits(amount)) rules->damagePlayer(*player, amount, kind);
      break;
    }
    case id::kChat: {
      in.peer();
      const std::string text = in.chat();
      forward(in, peer);
      notices().consoleLine("[" + entryOf(peer)->name() + "] " + text);
      break;
    }
    case id::kMode:
      in.peer();
      player->mode = in.u8();
      forward(in, peer);
      break;
    case id::kSignalEntities: {
      const wire::Point point = in.point();
      const bool invert = in.u8() != 0;
      if (LocalLogic* rules = localRules()) rules->signalEntitiesNear(player, {point.x, point.y}, invert);
      break;
    }
    case id::kCraftKnowledge: {
      const bool allKnown = in.u8() != 0;
      RecipeKnowledge::Bitset known{};
      const std::span<const uint8_t> bits = in.raw(known.size());
      std::copy(bits.begin(), bits.end(), known.begin());
      player->setCraftKnowledge(allKnown, known);
      break;
    }
    case id::kLearnEntry: {
      const uint16_t entry = in.u16();
      if (host::entryIdFits(entry)) player->learnEntry(entry);
      break;
    }
    default:
      break;
  }
}
