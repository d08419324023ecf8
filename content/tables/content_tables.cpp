#include "content/tables/content_tables.h"

namespace {

std::unique_ptr<ContentTables>& tablesSlot() {
  static std::unique_ptr<ContentTables> tables;
  return tables;
}

}  // namespace

ContentTables::ContentTables() : processSpecs(buildProcessSpecs()) {}

ContentTables& contentTables() {
  auto& slot = tablesSlot();
  if (!slot) slot = std::make_unique<ContentTables>();
  return *slot;
}

void installContentTables(std::unique_ptr<ContentTables> tables) {
  tablesSlot() = std::move(tables);
}

void resetContentTables() { tablesSlot().reset(); }

const ItemDef* itemDefinitionById(int id) {
  if (id < 0 || id >= static_cast<int>(content::kItemIdLimit)) return nullptr;
  return &contentTables().itemDefs[static_cast<size_t>(id)];
}

const BlockDef* blockDefinitionById(int id) {
  if (id < 0 || id >= static_cast<int>(content::kBlockIdLimit)) return nullptr;
  return &contentTables().blockDefs[static_cast<size_t>(id)];
}

bool isSpawnableMob(uint32_t mobRow) {
  for (const SpawnableMob& mob : contentTables().spawnableMobs) {
    if (mob.mobRow == mobRow) return true;
  }
  return false;
}

const MobDef* mobDefinitionById(int id) {
  if (id < 0 || id >= static_cast<int>(content::kMobLimit)) return nullptr;
  return &contentTables().mobDefs[static_cast<size_t>(id)];
}
