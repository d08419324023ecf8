#pragma once
// The mob-to-item table: 138 rows, one per mob that can be carried as an item. Each row names the
// mob, the number a stable's animal of that mob is saved under, the item that stands for the mob
// (what capturing it gives, and the trinket that summons it as a pet), the breeding group and sex,
// the young the pair raises with the young's saved number, and the stable block that keeps it.
// Rows 0-47 are the breedable pairs (sexes 0 and 1 of one group); the rest belong to group 8,
// never bred nor stabled, with no young and no stable block (kNone).
//
// The table is authored in the content set ("mob_items.json"), written into the game tables file
// and installed with it at start-up (`gameTables().mobItems`). Lookups are linear over 138 rows.
// Any thread once installed (read-only).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct MobItemRow {
  uint16_t mob = 0;
  uint16_t stableIndex = 0;  // what the world file stores for an animal of this mob
  uint16_t item = 0;
  uint8_t group = 0;
  uint8_t sex = 0;
  uint16_t young = 0;        // kNone for group 8
  uint16_t youngIndex = 0;   // the stored number of the young; kNone with no young
  uint16_t stableBlock = 0;  // kNone for group 8
  bool operator==(const MobItemRow&) const = default;
};

namespace mob_items {
constexpr size_t kRowCount = 138;
constexpr size_t kBreedableRows = 48;
constexpr size_t kRowBytes = 14;  // seven u16 on disk
constexpr uint16_t kNone = 0xFFFF;
constexpr uint8_t kUnbredGroup = 8;
constexpr uint8_t kNoSex = 2;
}  // namespace mob_items

class MobItemTable {
 public:
  MobItemTable() = default;
  explicit MobItemTable(std::vector<MobItemRow> rows) : rows_(std::move(rows)) {}

  const std::vector<MobItemRow>& rows() const { return rows_; }
  bool empty() const { return rows_.empty(); }

  // The first row of the mob; null when the mob is carried as no item.
  const MobItemRow* forMob(uint16_t mob) const;
  // The first row whose item is the id; null when the item stands for no mob.
  const MobItemRow* forItem(uint16_t item) const;
  // The number a stabled animal of the mob is saved under: the first row naming it as the adult
  // gives its index, else the first naming it as the young gives the young's; kNone for neither.
  uint16_t stableIndexOf(uint16_t mob) const;
  // The mob a saved number stands for, the same way back; -1 when no row gives the number.
  int32_t mobOfStableIndex(uint16_t index) const;

 private:
  std::vector<MobItemRow> rows_;
};

// What is wrong with the rows as the game would take them, or "" when nothing is: exactly 138
// rows; mob and young ids below `mobLimit`, items below `itemLimit`; the breedable rows in pairs
// of sexes 0 and 1 sharing group, young and stable block, the rest group 8, sex 2, with no young
// and no stable block; and every saved number standing for one mob only.
std::string mobItemTableProblem(const MobItemTable& table, size_t itemLimit, size_t mobLimit);
