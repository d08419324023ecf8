#pragma once
// The small static tables the game reads beside "data.dat": the five difficulty rows, the 335
// craft book entries, the source entries of the creative catalogue's eleven categories and the
// 138-row mob-to-item table (content/tables/mob_item_table.h). The
// content compiler writes them to the game tables file (content/format/game_tables_file.h) and
// the start-up installs what it reads (content/loader/game_tables_loader.h).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "content/tables/difficulty_row.h"
#include "content/tables/mob_item_table.h"

// One craft book entry: the name shown when it is learned, the discovery list 0-4 a still
// unknown entry waits in, and a second text (empty, the name again, or "description").
struct CraftBookRow {
  std::string name;
  uint8_t listKind = 0;
  std::string detail;
};

// One catalogue source: an item id (a mob row in the spawner category) and the 12-bit mask of
// the planets it belongs to.
struct CatalogueRow {
  uint16_t id = 0;
  uint16_t mask = 1;
};

namespace game_tables {
constexpr size_t kDifficultyCount = difficulty_record::kLevelCount;
constexpr size_t kBookEntryCount = 335;
constexpr size_t kListKindCount = 5;
// Book entries per discovery list.
constexpr std::array<size_t, kListKindCount> kEntriesPerList = {32, 47, 66, 81, 109};
constexpr size_t kCategoryCount = 11;
constexpr size_t kSpawnerCategory = 10;
// The categories' titles, in their fixed order.
constexpr const char* kCategoryTitles[kCategoryCount] = {
    "Addons", "Blocks", "Decorations", "Devices", "Furniture", "Half Blocks",
    "Items",  "Lights", "Plants",      "Tools",   "Spawners",
};
constexpr uint16_t kPlanetMaskBits = 0x0FFF;
// The item each spawner of the "Spawners" list is shown as, by its planet bit (bit 0 first): these
// items stand on that page as the spawners' icons, not as entries of their own.
constexpr std::array<uint16_t, 12> kSpawnerIcons = {913, 977, 1041, 1105, 1169, 1297, 1361, 1425, 1426, 1171, 1360, 1295};
// Longest name or second text of a book entry, in bytes.
constexpr size_t kTextLimit = 64;
static_assert(kEntriesPerList[0] + kEntriesPerList[1] + kEntriesPerList[2] + kEntriesPerList[3] +
                  kEntriesPerList[4] ==
              kBookEntryCount);
}  // namespace game_tables

struct GameTables {
  std::vector<DifficultyRow> difficulties;
  std::vector<CraftBookRow> book;
  std::array<std::vector<CatalogueRow>, game_tables::kCategoryCount> catalogue;
  MobItemTable mobItems;
};

// What is wrong with the tables as the game would take them, or "" when nothing is: exactly five
// difficulty rows, each naming its own level, with finite factors that are not negative and
// flags of 0 or 1; exactly 335 book entries with a name, list kinds 0-4 in the counts of
// `kEntriesPerList` and texts of at most `kTextLimit` bytes; catalogue entries whose ids lie
// below `itemIdLimit` (`mobLimit` for the spawners) and whose masks are non-zero 12-bit masks;
// a mob-to-item table that `mobItemTableProblem` takes.
std::string gameTablesProblem(const GameTables& tables, size_t itemIdLimit, size_t mobLimit);
