// The fruit map of the plant registry: grown blocks that bear fruit, the fruits hanging on them,
// and their release when picked, timed out or when the block goes.

#include <algorithm>

#include "content/tables/fruit_table.h"
#include "engine/base/random.h"
#include "world/plants/plant_chance.h"
#include "world/cells/block_flags.h"
#include "world/map/world_map.h"
#include "world/plants/plant_system.h"
#include "world/rules/logic.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

namespace {

constexpr float kHangChance = 0.08f;
constexpr uint8_t kHangLightLevel = 8;

}  // namespace

void PlantSystem::addFruitPlant(MapBlock& cell, const FruitRow* row) {
  if (row == nullptr || fruits_.count(map_.indexOf(cell)) != 0) return;
  if (!plantChance(row->chance)) return;
  fruits_[map_.indexOf(cell)] = FruitState{row, 0, {}};
}

void PlantSystem::growFruits(LogicEntities& rules) {
  for (auto& [index, state] : fruits_) {
    if (state.count >= state.row->max || !plantChance(kHangChance)) continue;
    MapBlock& cell = map_.cells()[index];
    if (cell.lightLevel(darkness()) < kHangLightLevel) continue;
    const uint8_t slotCount = std::min<uint8_t>(state.row->max, FruitState::kSlots);
    EntityId* free = std::find(state.slots, state.slots + slotCount, kNoEntity);
    if (free == state.slots + slotCount) continue;
    Entity* made = rules.spawnFruit(state.row->fruit, cell, fruitVariantFor(*state.row, cell.frontVariant()));
    const EntityId fruit = entities().idOf(made);
    if (fruit == kNoEntity) continue;  // nothing hangs that the rules did not make
    *free = fruit;
    ++state.count;
  }
}

EntityEffects& PlantSystem::entities() const {
  static NullEntityEffects none;
  return map_.world() != nullptr ? map_.world()->effects() : none;
}

void PlantSystem::releaseFruit(LogicEntities& rules, EntityId id) {
  Entity* fruit = entities().entityById(id);
  if (fruit == nullptr) return;  // gone already
  if (creative()) {
    entities().markForRemoval(fruit);
  } else {
    rules.wakeEntity(fruit);
  }
}

bool PlantSystem::takeFruit(LogicEntities& rules, MapBlock& cell, EntityId fruit) {
  if (!map_.props()[cell.frontId()].has(block_flag::kFruitPlant)) return false;
  auto found = fruits_.find(map_.indexOf(cell));
  if (found == fruits_.end()) return false;
  FruitState& state = found->second;
  if (fruit == kNoEntity) {
    for (EntityId& slot : state.slots) {
      if (slot != kNoEntity) releaseFruit(rules, slot);
      slot = kNoEntity;
    }
    const bool any = state.count > 0;
    state.count = 0;
    return any;
  }
  for (EntityId& slot : state.slots) {
    if (slot != fruit) continue;
    releaseFruit(rules, slot);
    slot = kNoEntity;
    --state.count;
    return true;
  }
  return false;
}

void PlantSystem::removeFruitPlant(LogicEntities& rules, MapBlock& cell) {
  if (!map_.props()[cell.frontId()].has(block_flag::kFruitPlant)) return;
  if (fruits_.count(map_.indexOf(cell)) == 0) return;
  takeFruit(rules, cell, kNoEntity);
  fruits_.erase(map_.indexOf(cell));
}
