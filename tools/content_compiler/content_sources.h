#pragma once
// The content as read from the hand-edited sources, before it is laid out as "data.dat". Each row
// keeps the place it came from so later checks can name it.

#include <cstdint>
#include <string>
#include <vector>

#include "content/planets/planet_def.h"
#include "content/tables/content_tables.h"
#include "content/tables/game_tables.h"
#include "tools/content_compiler/source_error.h"

namespace content_compiler {

struct TreasureSource {
  SourcePlace place;
  uint16_t id = 0;
  ItemRecord record;
  std::vector<ItemVariant> variants;
};

struct LootGroupSource {
  SourcePlace place;
  std::vector<uint16_t> items;
};

struct LootEntrySource {
  float chance = 0;
  uint8_t minCount = 0, maxCount = 0, kind = 0, stack = 0;
  uint16_t reference = 0;
};

struct LootTableSource {
  SourcePlace place;
  uint8_t mode = 0;
  std::vector<LootEntrySource> entries;
};

struct BlockSource {
  SourcePlace place;
  uint16_t id = 0;
  BlockRecord record;
  uint16_t lootTable = content::kNoLootTable;
};

struct MobSource {
  SourcePlace place;
  MobDef record;
  uint16_t lootTable = content::kNoLootTable;
  MobPartLayout layout;
};

struct MobGroupSource {
  SourcePlace place;
  MobGroupRecord record;
  std::vector<uint16_t> mobs;
};

template <typename Record>
struct DetailSource {
  SourcePlace place;
  uint16_t item = 0;
  Record record;
};

struct ContentSources {
  std::vector<TreasureSource> treasures;
  std::vector<LootGroupSource> lootGroups;
  std::vector<LootTableSource> lootTables;
  std::vector<BlockSource> blocks;
  std::vector<MobSource> mobs;
  std::vector<MobGroupSource> mobGroups;
  std::vector<CraftDef> crafts;    // always the full fixed count
  std::vector<BulletDef> bullets;  // always the full fixed count
  std::vector<DetailSource<BuffSpec>> buffs;
  std::vector<DetailSource<ToolSpec>> tools;
  std::vector<DetailSource<RangedSpec>> rangeds;
  std::vector<DetailSource<SwingSpec>> swingSpecs;
  std::vector<SourcePlace> planetPlaces;
  PlanetList planets;
  // The game tables file's sources: book rows and catalogue categories keep their source order,
  // so row n of "craft_book.json" is entry n and row c of "catalogue.json" is category c.
  GameTables gameTables;
};

// The file names of the sources, one per table, in the source folder.
namespace source_files {
constexpr const char* kTreasures = "treasures.json";
constexpr const char* kLootGroups = "loot_groups.json";
constexpr const char* kLootTables = "loot_tables.json";
constexpr const char* kBlocks = "blocks.json";
constexpr const char* kMobs = "mobs.json";
constexpr const char* kMobGroups = "mob_groups.json";
constexpr const char* kCrafts = "crafts.json";
constexpr const char* kBullets = "bullets.json";
constexpr const char* kBuffs = "buffs.json";
constexpr const char* kTools = "tools.json";
constexpr const char* kRangeds = "rangeds.json";
constexpr const char* kSwingSpecs = "swing_specs.json";
constexpr const char* kPlanets = "planets.json";
constexpr const char* kDifficulties = "difficulties.json";
constexpr const char* kCraftBook = "craft_book.json";
constexpr const char* kCatalogue = "catalogue.json";
constexpr const char* kMobItems = "mob_items.json";
}  // namespace source_files

}  // namespace content_compiler
