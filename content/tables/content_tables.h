#pragma once
// The definition tables: the process-wide rows that "data.dat" fills once at start-up and that
// the rest of the game reads by id or row. They own every record they point to.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "content/format/content_format.h"
#include "content/tables/block_def.h"
#include "content/tables/bullet_def.h"
#include "content/tables/craft_def.h"
#include "content/tables/item_def.h"
#include "content/tables/loot_table.h"
#include "content/tables/mob_def.h"
#include "content/tables/process_spec.h"
#include "content/tables/spawnable_mob.h"

class MobEntity;
class World;

struct ContentTables {
  ContentTables();

  std::array<ItemDef, content::kItemIdLimit> itemDefs;
  std::array<BlockDef, content::kBlockIdLimit> blockDefs;
  std::array<MobDef, content::kMobLimit> mobDefs{};
  size_t mobCount = 0;  // rows filled from the file
  std::array<const LootTable*, content::kMobLimit> mobLootTables{};
  std::array<MobPartLayout, content::kMobLimit> mobPartLayouts;
  std::array<MobGroupDef, content::kMobGroupLimit> mobGroupDefs;
  size_t mobGroupCount = 0;
  std::array<CraftDef, content::kCraftCount> craftDefs{};
  std::array<BulletDef, content::kBulletCount> bulletDefs{};
  std::array<ProcessSpec, content::kProcessSpecCount> processSpecs;
  std::vector<SpawnableMob> spawnableMobs;  // the released-capsule table, in file order

  // Effect slots filled by the entity effect registration after loading.
  std::array<BulletEffects, content::kBulletCount> bulletEffects;
  std::array<std::function<void(MobEntity*, World&)>, content::kMobLimit> mobDeathEffects;  // a mob dying in its world

  // Storage that the rows point into; filled once, never resized afterwards.
  std::vector<std::unique_ptr<LootGroup>> lootGroups;
  std::vector<std::unique_ptr<LootTable>> lootTables;
  std::vector<ToolSpec> toolSpecs;
  std::vector<BuffSpec> buffSpecs;
  std::vector<RangedSpec> rangedSpecs;
  std::vector<SwingSpec> swingSpecs;
};

// The process-wide tables. Created empty on first use.
ContentTables& contentTables();
// Swaps in a freshly built set of tables (the loader installs what it read); tests reset with an
// empty set.
void installContentTables(std::unique_ptr<ContentTables> tables);
void resetContentTables();

// `itemDefinitionById`: the row of an item id, or null outside 0..4095 (ids 4096..0xFFFE name no
// definition, 0xFFFF is "no item").
const ItemDef* itemDefinitionById(int id);
// The row of a block id, or null outside 0..4095.
const BlockDef* blockDefinitionById(int id);
// `mobDefinitionById`: the row of a mob id, or null outside the table.
const MobDef* mobDefinitionById(int id);
// The row is one of the spawnable-mob table's.
bool isSpawnableMob(uint32_t mobRow);
