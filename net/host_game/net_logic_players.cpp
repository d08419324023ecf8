// The host's rules visit the endpoint's present players in peer order: the host's own player
// always (entry 0), a client's player once it entered the world.

#include <algorithm>
#include <optional>
#include <vector>

#include "entities/items/treasure_entity.h"
#include "entities/mobs/mob_entity.h"
#include "game/rules/rule_entities.h"
#include "game/player/player_base.h"
#include "game/player/player_stats.h"
#include "net/endpoint/host/host_bounds.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/host_game/net_logic.h"
#include "world/entities/mob_spawner.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

std::vector<PlayerBase*> presentPlayers(const NetServer& server) {
  std::vector<PlayerBase*> present;
  for (size_t index = 0; index < server.players().size(); ++index) {
    const auto peer = static_cast<uint8_t>(index);
    const NetPlayerServer* entry = server.entryOf(peer);
    if (entry == nullptr || entry->player() == nullptr) continue;
    if (peer == kel::NET_HOST_PEER || server.joinStage(peer) == host::JoinStage::Entered) {
      present.push_back(entry->player());
    }
  }
  return present;
}

}  // namespace

// A client's player is offered the treasure; it stays, marked taken, until the client answers.
void NetLogic::offerTreasure(PlayerServer& client, Entity& entity) {
  auto* treasure = entity_cast<TreasureEntity>(&entity);
  if (treasure == nullptr || treasure->isGone()) return;
  treasure->taken = true;
  client.offerItem(treasure->id(), &treasure->item(), true);
}

// A drop a client's player mined and is near enough to have is hers, whoever walks over it.
void NetLogic::pickUpAtPlayerCell(PlayerBase* player) {
  const MapBlock* cell = player != nullptr ? player->currentMapBlock() : nullptr;
  if (cell == nullptr || player->dead != 0) return;
  PlayerServer* client = server_.remoteOf(player);
  std::vector<Entity*> onCell;
  entities().collectTreasuresOnCell(*cell, onCell);
  for (Entity* entity : onCell) {
    PlayerServer* miner = minerNear(*entity);
    PlayerServer* taker = miner != nullptr ? miner : client;
    if (taker != nullptr) {
      offerTreasure(*taker, *entity);
    } else {
      takeTreasure(*player, *entity);
    }
  }
}

// A treasure that comes to rest where players stand goes to the first of them, in peer order,
// that may have it: the host's own takes it at once, a client's player is offered it. Without
// this a client standing still where its drop lands would never get it.
bool NetLogic::applyToPlayersOnCell(Entity* entity) {
  auto* treasure = entity_cast<TreasureEntity>(entity);
  const MapBlock* cell = treasure != nullptr ? treasure->data.cell : nullptr;
  if (cell == nullptr) return false;
  if (PlayerServer* miner = treasure->isGone() ? nullptr : minerNear(*treasure)) {
    offerTreasure(*miner, *treasure);
    return true;
  }
  for (PlayerBase* player : presentPlayers(server_)) {
    if (treasure->isGone()) return false;
    if (player->dead != 0 || player->cellX != cell->x || player->cellY != cell->y) continue;
    if (PlayerServer* client = server_.remoteOf(player)) {
      offerTreasure(*client, *treasure);
      return true;
    }
    if (LocalLogic::applyToPlayersOnCell(treasure)) return true;
  }
  return false;
}

PlayerServer* NetLogic::minerNear(const Entity& treasure) {
  const std::optional<uint32_t> minerId = mined_.minerOf(treasure.id());
  PlayerServer* miner = minerId ? server_.remoteOf(playerById(*minerId)) : nullptr;
  if (miner == nullptr || miner->dead != 0 || !isPlayerPresent(miner) || world() == nullptr) return nullptr;
  return host::cellWithinReach(*miner, *treasure.data.cell, world()->map().width(), host::kToolReach) ? miner : nullptr;
}

void NetLogic::forEachPlayer(const PlayerVisitor& visit) {
  for (PlayerBase* player : presentPlayers(server_)) visit(player);
}

bool NetLogic::anyPlayer(const PlayerTest& test) {
  bool any = false;
  for (PlayerBase* player : presentPlayers(server_)) any = test(player) || any;  // every one is asked
  return any;
}

bool NetLogic::findPlayer(const PlayerTest& test) { return firstPlayerWhere(test) != nullptr; }

PlayerBase* NetLogic::firstPlayerWhere(const PlayerTest& test) {
  for (PlayerBase* player : presentPlayers(server_)) {
    if (test(player)) return player;
  }
  return nullptr;
}

bool NetLogic::isPlayerPresent(PlayerBase* player) {
  for (PlayerBase* present : presentPlayers(server_)) {
    if (present == player) return true;
  }
  return false;
}

uint32_t NetLogic::playerCount() { return static_cast<uint32_t>(presentPlayers(server_).size()); }

PlayerBase* NetLogic::somePlayer() {
  return pickPresentPlayer(presentPlayers(server_), [](PlayerBase*) { return true; });
}

// The candidates lie around a present player drawn at random, so that each player in turn meets
// new mobs wherever she is; none may then appear in any present player's view (where a dark cell
// may, when the rule allows it) or near her.
void NetLogic::collectSpawnCells(std::vector<MapBlock*>& out, const SpawnRule& rule) {
  PlayerBase* chosen = somePlayer();
  const MapBlock* around = chosen != nullptr ? chosen->currentMapBlock() : nullptr;
  if (around == nullptr || world() == nullptr) return;
  entities().collectSpawnCells(*around, out, rule);
  const std::vector<PlayerBase*> present = presentPlayers(server_);
  const uint32_t darkness = world()->dayClock().darkness;
  const auto seenOrNear = [&](const MapBlock* cell) {
    const bool dark = cell->skyLevel() <= darkness && cell->lightColour() == 0;
    return std::any_of(present.begin(), present.end(), [&](const PlayerBase* player) {
      const auto [dx, dy] = cellOffsetFrom(*player, *cell);
      const bool inView = dx < rule.viewWidth / 2 && dy < rule.viewHeight / 2;
      if (inView && !(rule.darkInView != 0 && dark)) return true;
      const auto squared = static_cast<float>(dx * dx + dy * dy);
      return rule.spacing > 0 && squared < rule.spacing;
    });
  };
  std::erase_if(out, seenOrNear);
}

// The player with the smallest sum of both parts; the first of equals keeps its place.
std::pair<uint16_t, uint16_t> NetLogic::offsetToNearestPlayer(const MapBlock& cell) {
  std::pair<uint16_t, uint16_t> best{32767, 32767};
  if (world() == nullptr) return best;
  for (PlayerBase* player : presentPlayers(server_)) {
    const std::pair<uint16_t, uint16_t> offset = cellOffsetFrom(*player, cell);
    if (offset.first + offset.second < best.first + best.second) best = offset;
  }
  return best;
}

uint32_t NetLogic::distanceToNearestPlayer(const MapBlock& cell) {
  uint32_t best = 65535;
  if (world() == nullptr) return best;
  for (PlayerBase* player : presentPlayers(server_)) best = std::min(best, cellDistanceFrom(*player, cell));
  return best;
}

// The nearest present player that mobs may target.
PlayerBase* NetLogic::mobTargetPlayer(MobEntity* mob) {
  PlayerBase* nearest = nullptr;
  uint32_t nearestDistance = 0;
  const MapBlock* at = mob != nullptr ? mob->data.cell : nullptr;
  for (PlayerBase* player : presentPlayers(server_)) {
    if (player->hasFlag(player_flag::kTarget)) continue;
    const uint32_t distance = at != nullptr && world() != nullptr ? cellDistanceFrom(*player, *at) : 0;
    if (nearest == nullptr || distance < nearestDistance) {
      nearest = player;
      nearestDistance = distance;
    }
  }
  return nearest;
}
