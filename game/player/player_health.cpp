// A player's body: health, damage, buffs, the hazards of the map, breath and coming back to life.

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "content/items/item.h"
#include "content/stats/player_stats_block.h"
#include "content/tables/item_def.h"
#include "engine/base/random.h"
#include "engine/base/serial_counter.h"
#include "game/inventory/item_kinds.h"
#include "game/player/player_base.h"
#include "game/player/player_events.h"
#include "game/rules/player_rules.h"
#include "world/blocks/logic_block.h"
#include "world/cells/cell_sides.h"
#include "world/rules/logic.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr uint8_t kWeatherAcidRain = 3;
constexpr uint8_t kModeKeen = 8;

bool hotCell(const MapBlock* cell, const BlockPropsTable& props) {
  if (cell == nullptr) return false;
  if (props[cell->frontId()].has(block_flag::kHot)) return true;
  return std::any_of(cell->decos.begin(), cell->decos.end(), [&props](MapDeco deco) {
    return map_deco::id(deco) != 0 && props[map_deco::id(deco)].has(block_flag::kHot);
  });
}

uint32_t nextPlayerId() {
  static engine::SerialCounter ids;
  return ids.next();
}

}  // namespace

PlayerBase::PlayerBase(World* initialWorld, bool local, PlayerEvents* events)
    : PlayerGraphical(initialWorld, events), isLocal(local ? 1 : 0), playerId_(nextPlayerId()) {}

void PlayerBase::update(float dt) { cooldown = cooldown > 0 ? std::max(0.0f, cooldown - dt) : 0; }

void PlayerBase::die() {
  stats.buffs.clear();
  refreshAppearance();
  dead = 1;
}

bool PlayerBase::addHealth(float amount) {
  const bool below = health < stats.maxHealth;
  health = std::min(stats.maxHealth, health + (1 + stats.healthBonus) * amount);
  // Only a gain shows: the regeneration at full health is no heal.
  if (isLocal && below) events().healthFlash(false);
  return below;
}

bool PlayerBase::takeDamage(float amount, uint8_t kind) {
  if (hasFlag(player_flag::kGodmode)) return false;
  const float armour = kind < 4 ? stats.armour[kind] : 0.0f;
  lastHurt_ = {kind, nextHurtSource_};
  health -= (1 - armour) * amount;
  if (health <= 0) health = 0;
  if (isLocal) events().healthFlash(true);
  return true;
}

void PlayerBase::playEntityEffect(Entity* entity, uint8_t kind, uint16_t value) {
  events().entityEffect(*this, entity, kind, value);
}

void PlayerBase::playTileEffect(const MapBlock& cell, uint8_t kind) { events().tileEffect(*this, cell, kind); }

void PlayerBase::refreshForge(int result) { events().forgeRefreshed(*this, result); }

void PlayerBase::editCircuit(const MapBlock& cell, const CircuitRecord& setting) {
  events().circuitConfigurator(*this, cell, setting);
}

void PlayerBase::revive() {
  health = stats.maxHealth;
  breath = kFullBreath;
  dead = 0;
}

bool isSpawnableCell(World& world, const MapBlock* cell) {
  if (cell == nullptr) return false;
  const BlockPropsTable& props = world.map().props();
  if (!props[cell->frontId()].fullyClear()) return false;
  if (isClimbable(cell, props)) return true;
  const MapBlock* below = world.map().cellAt(cell->x, cell->y - 1);
  return blocksEntryFromAbove(below, props) || isClimbable(below, props);
}

void PlayerBase::respawnReset() {
  if (world == nullptr) return;
  WorldMap& map = world->map();
  if (isSpawnableCell(*world, map.cellAt(spawnCellX, spawnCellY))) return;
  // The rings stop once they cover the whole map: a world without a spawnable cell keeps the old one.
  const int limit = std::min(kRespawnSearchLimit, std::max(map.width(), map.height()));
  for (int r = 1; r <= limit; ++r) {
    for (int dx = -r; dx <= r; ++dx) {
      for (int dy = -r; dy <= r; ++dy) {
        if (std::max(std::abs(dx), std::abs(dy)) != r) continue;
        const int y = spawnCellY + dy;
        if (y < 0 || y >= map.height()) continue;
        const MapBlock* cell = map.cellAt(spawnCellX + dx, y);
        if (!isSpawnableCell(*world, cell)) continue;
        setSpawnCell(cell->x, cell->y);
        return;
      }
    }
  }
}

void PlayerBase::tickBuffs() {
  if (stats.healthDrift > 0.01f) {
    addHealth(stats.healthDrift);
  } else if (stats.healthDrift < -0.01f) {
    takeDamage(-stats.healthDrift, damage_kind::kHarm);
  }
  std::vector<uint16_t> ended;
  for (PlayerBuff& buff : stats.buffs) {
    if (buff.remaining > 0) --buff.remaining;
    if (buff.remaining == 0) ended.push_back(buff.id);
  }
  for (uint16_t id : ended) removeBuff(id);
}

void PlayerBase::applyEnvironmentDamage(PlayerRules& rules) {
  if (world == nullptr) return;
  auto hurt = [&](float amount, uint8_t kind) {
    if (amount > 0) rules.damagePlayer(*this, amount, kind);
  };
  const LiquidAround liquid = liquidAround();
  const BlockPropsTable& props = world->map().props();
  const MapBlock* below = mapBlockAtOffset(0, -1);
  if (liquid.body == static_cast<uint8_t>(LiquidKind::Lava) || (hotCell(below, props) && isGrounded())) {
    hurt((1 - stats.resist[0]) * 1.5f, damage_kind::kHeat);
  } else if (liquid.body == static_cast<uint8_t>(LiquidKind::Acid)) {
    hurt(1 - stats.resist[1], damage_kind::kAcid);
  }
  const WorldMap& map = world->map();
  if (static_cast<uint8_t>(world->weather().kind) == kWeatherAcidRain &&
      static_cast<int32_t>(cellY) >= map.topHeight(static_cast<int32_t>(cellX))) {
    hurt((1 - stats.resist[1]) * 0.8f, damage_kind::kAcid);
  }
  if (liquid.head == 0) {
    breath = std::min(kFullBreath, breath + 6);
  } else if (breath > 0) {
    breath = std::max(0, breath - 4);
  } else {
    hurt(1 - stats.resist[2], damage_kind::kDrowning);
  }
}

DamageSpec PlayerBase::rollAttackDamage() const {
  const Item* held = heldItem();
  const PlayerStatsBlock block;
  DamageSpec spec{1, stats.handValues[0]};
  float chance = stats.criticalChance;
  if (held != nullptr && !held->isNone()) {
    spec = held->damageSpec(&block);
    const ItemDef* def = held->definition();
    if (def != nullptr && def->record.kind() == item_kind::kWeapon) {
      chance += def->record.critical() / 100.0f + (held->modifier() == kModeKeen ? 0.1f : 0.0f);
    }
  }
  if (spec.type < 4 && stats.damageBonus[spec.type] > 0) {
    spec.amount += spec.amount * stats.damageBonus[spec.type];
  }
  if (chance > engine::randomNext() / 32768.0f) spec.amount *= 2;
  return spec;
}

bool PlayerBase::leaveContainer(bool) {
  LogicBlock* open = openContainer();
  openContainer_ = {};
  if (open == nullptr) return false;
  open->close();
  return true;
}

LogicBlock* PlayerBase::openContainer() const {
  return world != nullptr ? world->resolve(openContainer_) : nullptr;
}

void PlayerBase::setOpenContainer(LogicBlock* entity) {
  openContainer_ = entity != nullptr ? entity->handle() : BlockEntityHandle{};
}

// Entering a cell, a living player takes what lies there and its pets plan on towards it (through
// the world's rules).
void PlayerBase::moveToCell(MapBlock* left) {
  PlayerGraphical::moveToCell(left);
  if (world == nullptr) return;
  if (dead == 0) world->rules().pickUpAtPlayerCell(this);
  world->rules().petsFollowOwner(this, left);
}
