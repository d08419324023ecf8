#include "saves/world/entity_save_links.h"

#include <algorithm>

#include "content/loader/game_tables_loader.h"
#include "content/tables/content_tables.h"
#include "content/tables/mob_def.h"
#include "entities/core/world_entities.h"
#include "entities/mobs/mob_entity.h"
#include "world/blocks/stable.h"
#include "world/cells/map_block.h"
#include "world/entities/mob_spawner.h"
#include "world/entities/world_entity_places.h"
#include "world/world.h"

namespace {

bool savedGroup(uint8_t group) { return group == 0 || group == 2 || group == 3; }

}  // namespace

// The mobs of the world's own lists, then those its file left waiting for the lists to make
// them: a world saved before it first stepped keeps them all.
std::vector<SavedMob> EntitySaveLinks::savedMobs(const World& world) const {
  std::vector<SavedMob> out;
  World& saved = const_cast<World&>(world);
  for (const MobSpawner::PendingMob& m : saved.mobSpawner().pendingMobs()) {
    if (savedGroup(m.group)) {
      out.push_back({{static_cast<uint16_t>(m.x), static_cast<uint16_t>(m.y)}, m.group, m.mobId});
    }
  }
  const WorldEntities* lists = saved.entities();
  if (lists == nullptr) return out;
  lists->mobs().forEach([&](const RealEntity& e) {
    const MobEntity* mob = mobOf(e);
    if (mob == nullptr || mob->data.removed || mob->kind() != EntityKind::Mob || mob->data.cell == nullptr) return;
    if (!savedGroup(mob->populationGroup)) return;
    out.push_back({{mob->data.cell->x, mob->data.cell->y}, mob->populationGroup, mob->row().mobId()});
  });
  return out;
}

void EntitySaveLinks::spawnSavedMob(World& world, const SavedMob& mob) {
  if (!savedGroup(mob.group) || mobDefinitionById(mob.mobId) == nullptr) return;
  world.mobSpawner().pendingMobs().push_back({mob.cell.x, mob.cell.y, mob.group, mob.mobId});
}

// An animal is kept under its mob's number in the mob-to-item table; a mob the table does not
// know is kept as an empty slot, since no number would bring it back.
std::array<StabledAnimal, 3> EntitySaveLinks::stabledAnimals(const World&, const Stable& stable) const {
  const MobItemTable& table = gameTables().mobItems;
  std::array<StabledAnimal, 3> out{};
  for (int slot = 0; slot < Stable::kSlots; ++slot) {
    const int32_t kind = stable.mobKindAt(slot);
    if (kind < 0) continue;
    const uint16_t index = table.stableIndexOf(static_cast<uint16_t>(kind));
    if (index == kNoStableIndex) continue;
    out[static_cast<size_t>(slot)] = {index, stable.progressAt(slot), stable.mobFedLevelAt(slot)};
  }
  return out;
}

void EntitySaveLinks::restoreStabledAnimals(World&, Stable& stable, const std::array<StabledAnimal, 3>& animals) {
  const MobItemTable& table = gameTables().mobItems;
  for (const StabledAnimal& a : animals) {
    const int32_t mob = table.mobOfStableIndex(a.stableIndex);
    if (mob < 0 || mobDefinitionById(static_cast<uint16_t>(mob)) == nullptr) continue;
    stable.restoreAnimal(static_cast<uint16_t>(mob), static_cast<uint8_t>(std::min<uint16_t>(a.first, Stable::kGrown)),
                         static_cast<uint8_t>(a.second));
  }
}
