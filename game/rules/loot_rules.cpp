#include "game/rules/loot_rules.h"

#include "content/format/content_format.h"
#include "content/items/item.h"
#include "content/potions/potion_table.h"
#include "content/tables/content_tables.h"
#include "content/tables/difficulty_row.h"
#include "engine/base/random.h"
#include "platform/settings/settings.h"
#include "world/cells/block_flags.h"
#include "world/cells/map_block.h"
#include "world/circuits/circuit_cells.h"
#include "world/edits/circuit_part_items.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

namespace {

// A decoration with this flag keeps the others (and the block) from dropping.
constexpr uint8_t kConnectorWireKind = 2;
constexpr uint8_t kFirstPartlessKind = 15;
constexpr uint8_t kLastPartlessKind = 17;
// Tables that name tables: deep enough for any content, shallow enough to stop a loop.
constexpr int kMaxDepth = 8;

float randomUnit() { return static_cast<float>(engine::randomNext()) / 32768.0f; }

int countIn(uint8_t low, uint8_t high) {
  return high <= low ? low : low + engine::randomNext() % (high - low + 1);
}

void dropItem(LogicEntities& rules, uint16_t id, engine::Vec2 at) {
  if (id >= content::kItemIdLimit || !contentTables().itemDefs[id].defined) return;
  if (ItemPtr item = newItem(id, -1, 1, -1, 0)) rules.spawnItemDrop(std::move(item), at, loot::kDropKind);
}

// A loot entry's category byte is the recipe of a random potion (its category, bottle and second
// level; the first level is drawn), so a potion found as loot carries an effect like a brewed one.
void dropRandomPotion(LogicEntities& rules, uint8_t recipe, engine::Vec2 at) {
  const PotionResult potion = randomPotionEffect(recipe);
  if (ItemPtr item = newItem(potion.itemId, 0, 1, -1, potion.value)) rules.spawnItemDrop(std::move(item), at, loot::kDropKind);
}

struct LootDrop {
  LogicEntities& rules;
  engine::Vec2 at;
  const DifficultyRow* row;
  float multiplier;
  bool switched;

  void give(const LootEntry& entry, int depth) {
    if (entry.kind == content::kLootTable) {
      if (entry.table != nullptr) table(*entry.table, depth + 1);
      return;
    }
    const int count = countIn(entry.minCount, entry.maxCount);
    for (int i = 0; i < count; ++i) {
      if (entry.kind == content::kLootItem) {
        dropItem(rules, entry.item, at);
      } else if (entry.kind == content::kLootGroup && entry.group != nullptr && !entry.group->items.empty()) {
        dropItem(rules, entry.group->items[engine::randomNext() % entry.group->items.size()], at);
      } else if (entry.kind == content::kLootCategory) {
        dropRandomPotion(rules, entry.category, at);
      }
    }
  }

  void table(const LootTable& loot, int depth) {
    if (depth > kMaxDepth || loot.entries.empty()) return;
    if (loot.mode != 0) {
      float total = 0;
      for (const LootEntry& entry : loot.entries) total += entry.chance;
      const float r = static_cast<float>(engine::randomNext()) / 32767.0f * total;
      float running = 0;
      for (const LootEntry& entry : loot.entries) {
        running += entry.chance;
        if (running >= r) return give(entry, depth);
      }
      return;
    }
    for (const LootEntry& entry : loot.entries) {
      const float chance = entry.chance * difficultyLootFactor(row, entry.chance, switched) * multiplier;
      if (chance > randomUnit()) give(entry, depth);
    }
  }
};

void dropTableOf(World& world, LogicEntities& rules, const MapBlock& cell, uint16_t blockId, const DifficultyRow* row) {
  if (blockId == 0 || blockId >= content::kBlockIdLimit) return;
  const LootTable* table = contentTables().blockDefs[blockId].lootTable;
  if (table == nullptr || world.isCreative()) return;
  dropLoot(rules, *table, cellPixelPosition(cell), row);
}

}  // namespace

void dropLoot(LogicEntities& rules, const LootTable& table, engine::Vec2 at, const DifficultyRow* row, float multiplier) {
  LootDrop drop{rules, at, row, multiplier, kel::getLastDifficultySwitch()};
  drop.table(table, 0);
}

void dropBlockLoot(World& world, LogicEntities& rules, MapBlock& cell, uint16_t blockId, const DifficultyRow* row) {
  dropTableOf(world, rules, cell, blockId, row);
}

void dropAttachmentLoot(World& world, LogicEntities& rules, MapBlock& cell, uint8_t layer, const DifficultyRow* row) {
  if (world.isCreative()) return;
  const BlockPropsTable& props = world.map().props();
  bool kept = false;
  for (MapDeco deco : cell.decos) {
    if (!map_deco::empty(deco) && map_deco::side(deco) == layer && props[map_deco::id(deco)].has(block_flag::kKeepsAttachmentLoot)) {
      kept = true;
    }
  }
  if (!kept) {
    for (MapDeco deco : cell.decos) {
      if (!map_deco::empty(deco) && map_deco::side(deco) == layer) dropTableOf(world, rules, cell, map_deco::id(deco), row);
    }
  }
  // A circuit part goes with the cell's back, as the world forgets it (a wall mined from behind a
  // wire); a block set in front of a part and taken off again leaves the part where it was.
  if (layer == MapBlock::kBack) {
    const uint8_t kind = circuitKind(cell);
    if (kind != 0 && (kind < kFirstPartlessKind || kind > kLastPartlessKind)) {
      dropItem(rules, circuitPartItemFor(kind), cellPixelPosition(cell));
      if (kind == kConnectorWireKind) dropItem(rules, loot::kConnectorExtraItem, cellPixelPosition(cell));
    }
  }
  if (!kept) dropTableOf(world, rules, cell, block_word::id(cell.layerWord(layer)), row);
}
