#include "entities/mobs/mob_spawning.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "content/tables/mob_def.h"
#include "engine/base/random.h"
#include "entities/core/cell_operations.h"
#include "entities/core/world_entities.h"
#include "entities/mobs/mob_entity.h"
#include "world/cells/map_block.h"
#include "world/entities/mob_spawner.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

constexpr int kMostPicks = 129;
constexpr float kSpawnImpulse = 0.15f;
constexpr float kUp = 1.5707964f;

float roll() { return static_cast<float>(engine::randomNext()) / 32768.0f; }

template <class T>
T pickOne(const std::vector<T>& list) {
  return list[static_cast<size_t>(engine::randomNext()) % list.size()];
}

// A random candidate; each further pick on a coin's toss, at most 129 in all.
MapBlock* pickCandidate(const std::vector<MapBlock*>& candidates) {
  MapBlock* cell = pickOne(candidates);
  for (int picks = 1; picks < kMostPicks && roll() < 0.5f; ++picks) cell = pickOne(candidates);
  return cell;
}

void fillPackMobs(MobSpawner& spawner, const MobGroupDef& row, bool peaceful) {
  std::vector<const MobDef*>& pack = spawner.packMobs();
  pack.clear();
  for (const MobDef* mob : row.members) {
    if (mob != nullptr && !(peaceful && mob->hasFlag(mob_flag::kContact))) pack.push_back(mob);
  }
}

// A random match; with more than one, taken with its probability, else another is drawn.
const MobGroupDef& chooseRow(MobSpawner& spawner, bool peaceful) {
  const std::vector<const MobGroupDef*>& matches = spawner.matches();
  const MobGroupDef* row = pickOne(matches);
  if (matches.size() > 1 && !(static_cast<float>(engine::randomNext()) / 32767.0f < row->record.probability())) {
    row = pickOne(matches);
  }
  fillPackMobs(spawner, *row, peaceful);
  return *row;
}

// Mobs while i is below a bound rolled again after each one; answers how many were made.
uint64_t spawnPack(World& world, MobSpawner& spawner, const MobGroupDef& row, const MapBlock& cell, uint8_t group) {
  const std::vector<const MobDef*>& pack = spawner.packMobs();
  if (pack.empty()) return 0;
  const int smallest = row.record.packBound(0);
  const int largest = row.record.packBound(1);
  if (largest < smallest) return 0;  // the content checks refuse such rows
  const MobDef* fixed = row.record.oneKindPerPack() ? pickOne(pack) : nullptr;
  const engine::Vec2 at{static_cast<float>(cell.x) * 30.0f, static_cast<float>(cell.y) * 30.0f};
  uint64_t made = 0;
  for (int i = 0; i < engine::randomNext() % (largest - smallest + 1) + smallest; ++i) {
    const MobDef* mob = fixed != nullptr ? fixed : pickOne(pack);
    if (world.rules().spawnMob(mob, at, {kSpawnImpulse, kUp}, 0, nullptr, group) != nullptr) ++made;
  }
  return made;
}

}  // namespace

uint64_t despawnFarMobs(WorldEntities& lists, const SpawnRule& rule) {
  World& world = *lists.world();
  LogicPlayers& rules = world.rules();
  uint64_t stay = 0;
  EntityLayer& mobs = lists.mobs();
  for (size_t i = 0; i < mobs.size(); ++i) {
    MobEntity* mob = mobOf(mobs.at(i));
    if (mob == nullptr || mob->data.removed || mob->populationGroup != rule.id || mob->data.cell == nullptr) continue;
    const auto [dx, dy] = rules.offsetToNearestPlayer(*mob->data.cell);
    if (static_cast<float>(dx) > rule.viewWidth || static_cast<float>(dy) > rule.viewHeight) {
      mob->remove();
    } else {
      ++stay;
    }
  }
  return stay;
}

void spawnGroup(WorldEntities& lists, uint8_t g) {
  World* world = lists.world();
  if (world == nullptr || world->isCreative() || g >= MobSpawner::kSpawnedGroups) return;
  MobSpawner& spawner = world->mobSpawner();
  LogicPlayers& rules = world->rules();
  const SpawnGroup& record = spawner.group(g);
  uint64_t count = despawnFarMobs(lists, record.rule);
  const uint64_t cap = spawner.groupCap(g, rules.playerCount());
  const uint64_t missing = count < cap ? cap - count : 0;
  const float attempts = std::max(1.0f, static_cast<float>(missing) * record.density);
  std::vector<MapBlock*>& candidates = spawner.candidates();
  candidates.clear();
  // A full group spawns nothing: its candidate cells would go unread.
  if (count < cap) rules.collectSpawnCells(candidates, record.rule);
  const std::vector<const MobGroupDef*>& rows = spawner.rows();
  for (int attempt = 0; static_cast<float>(attempt) < attempts; ++attempt) {
    if (count >= cap || candidates.empty()) break;
    if (!(roll() < static_cast<float>(cap - count) / static_cast<float>(cap))) continue;
    MapBlock* cell = pickCandidate(candidates);
    std::vector<const MobGroupDef*>& matches = spawner.matches();
    matches.clear();
    for (const MobGroupDef* row : rows) {
      if (row->record.spawnGroup() == g && spawner.canSpawnAt(*row, *cell)) matches.push_back(row);
    }
    if (matches.empty()) break;
    const MobGroupDef& row = chooseRow(spawner, world->peaceful());
    count += spawnPack(*world, spawner, row, *cell, g);
    spawner.dropNearbyCandidates(*cell, record.rule.spacing);
    matches.clear();
  }
  candidates.clear();
  applyEnvironmentDamage(lists);
}

void runSpawnerPass(WorldEntities& lists) {
  for (uint8_t g : mob_spawning::kPassOrder) spawnGroup(lists, g);
}

void applyEnvironmentDamage(WorldEntities& lists) {
  World* world = lists.world();
  if (world == nullptr) return;
  const bool sunlit = world->dayClock().darkness == 0;
  std::vector<MobSpawner::Hurt>& hurts = world->mobSpawner().hurts();
  hurts.clear();
  lists.mobs().forEach([&](RealEntity& entity) {
    auto* mob = mobOf(entity);
    if (mob == nullptr || mob->data.removed || mob->kind() == EntityKind::Pet) return;
    const MobDef& row = mob->row();
    if (mob->liquidKind == 1 && !row.hasFlag(mob_flag::kWaterproof)) {
      if (mob->air == 0) {
        hurts.push_back({mob->id(), 1.0f, mob_spawning::kDrowningType});
      } else {
        --mob->air;
      }
    } else {
      if (mob->air < 5) ++mob->air;
      if (mob->liquidKind == 2 && !row.hasFlag(mob_flag::kLavaproof)) {
        hurts.push_back({mob->id(), 2.0f, mob_spawning::kLavaType});
      } else if (mob->liquidKind == 3 && !row.hasFlag(mob_flag::kAcidproof)) {
        hurts.push_back({mob->id(), 1.5f, mob_spawning::kAcidType});
      }
    }
    if (sunlit && mob->data.cell != nullptr && mob->data.cell->skyLevel() == 15 &&
        row.hasFlag(mob_flag::kBurnsInDaylight)) {
      world->rules().broadcastEffect(mob, mob_spawning::kDaylightEffect, 0);
      hurts.push_back({mob->id(), 1.0f, mob_spawning::kSunType});
    }
  });
  for (const MobSpawner::Hurt& hurt : hurts) {
    RealEntity* hurtEntity = lists.findById(hurt.mob);
    if (MobEntity* mob = hurtEntity != nullptr ? mobOf(*hurtEntity) : nullptr) mob->applyDamage(hurt.amount, hurt.type, nullptr);
  }
  hurts.clear();
}

void recountMobs(WorldEntities& lists) {
  World* world = lists.world();
  if (world == nullptr) return;
  MobSpawner& spawner = world->mobSpawner();
  spawner.clearCounts();
  lists.mobs().forEach([&](RealEntity& entity) {
    auto* mob = mobOf(entity);
    if (mob != nullptr && !mob->data.removed) spawner.addToGroup(mob->populationGroup);
  });
}

void collectSpawnCells(WorldEntities& lists, const MapBlock& around, std::vector<MapBlock*>& out,
                       const SpawnRule& rule) {
  World& world = *lists.world();
  WorldMap& map = world.map();
  const BlockPropsTable& props = map.props();
  const uint32_t darkness = world.dayClock().darkness;
  const auto halfW = static_cast<int32_t>(rule.outerWidth / 2);
  const auto halfH = static_cast<int32_t>(rule.outerHeight / 2);
  auto open = [&](const MapBlock& c) { return props[c.frontId()].fullyClear(); };
  // The cells of the rule's live mobs, gathered once: every candidate cell is held against them.
  std::vector<const MapBlock*> kin;
  if (rule.spacing > 0) {
    lists.mobs().forEach([&](const RealEntity& e) {
      const MobEntity* mob = mobOf(e);
      if (mob != nullptr && !mob->data.removed && mob->populationGroup == rule.id && mob->data.cell != nullptr) {
        kin.push_back(mob->data.cell);
      }
    });
  }
  // Each column is wrapped once and the rows kept inside the map, so the cells are read unchecked.
  const int32_t height = map.height();
  const int32_t fromDy = std::max(-halfH, -static_cast<int32_t>(around.y));
  const int32_t toDy = std::min(halfH, height - 1 - static_cast<int32_t>(around.y));
  for (int32_t dx = -halfW; dx <= halfW; ++dx) {
    const int32_t x = map.wrapX(around.x + dx);
    MapBlock* column = &map.cell(x, 0);
    const bool columnInView = std::abs(dx) < rule.viewWidth / 2;
    const int32_t fromY = static_cast<int32_t>(around.y) + fromDy;
    // Most cells are rock: whether a cell is open is read once and is the next cell's ground.
    bool belowOpen = fromY == 0 || open(column[fromY - 1]);  // the bottom row has no ground below
    for (int32_t dy = fromDy; dy <= toDy; ++dy) {
      MapBlock* cell = column + around.y + dy;
      const bool isOpen = open(*cell);
      const bool groundBelow = !belowOpen;
      belowOpen = isOpen;
      if (!isOpen || !groundBelow) continue;
      const bool inView = columnInView && std::abs(dy) < rule.viewHeight / 2;
      const bool dark = cell->skyLevel() <= darkness && cell->lightColour() == 0;
      if (inView && !(rule.darkInView != 0 && dark)) continue;
      if (rule.spacing > 0) {
        if (cellDistanceSquared(map, *cell, around) < rule.spacing) continue;
        const bool crowded = std::any_of(kin.begin(), kin.end(), [&](const MapBlock* other) {
          return cellDistanceSquared(map, *cell, *other) < rule.spacing;
        });
        if (crowded) continue;
      }
      out.push_back(cell);
    }
  }
}
