#include "content/tables/mob_item_table.h"

#include <map>

namespace {

using namespace mob_items;

std::string rowWhere(size_t i) { return "mob item row " + std::to_string(i) + ": "; }

std::string idProblem(const MobItemRow& row, size_t i, size_t itemLimit, size_t mobLimit) {
  if (row.mob >= mobLimit) return rowWhere(i) + "mob " + std::to_string(row.mob) + " is out of range";
  if (row.item >= itemLimit) return rowWhere(i) + "item " + std::to_string(row.item) + " is out of range";
  if (row.stableIndex == kNone) return rowWhere(i) + "has no saved number";
  if (row.young != kNone && row.young >= mobLimit) {
    return rowWhere(i) + "young " + std::to_string(row.young) + " is out of range";
  }
  return {};
}

// Breedable rows come in pairs of one group, one young and one stable, one of each sex.
std::string pairProblem(const MobItemRow& a, const MobItemRow& b, size_t i) {
  if (a.group >= kUnbredGroup) return rowWhere(i) + "a breedable row needs a group below 8";
  if (a.group != b.group || a.young != b.young || a.youngIndex != b.youngIndex || a.stableBlock != b.stableBlock) {
    return rowWhere(i) + "the pair differs in group, young or stable block";
  }
  if (a.sex + b.sex != 1 || a.sex > 1) return rowWhere(i) + "the pair needs one of each sex";
  if (a.young == kNone || a.youngIndex == kNone || a.stableBlock == kNone) {
    return rowWhere(i) + "a breedable pair needs a young and a stable block";
  }
  return {};
}

std::string unbredProblem(const MobItemRow& row, size_t i) {
  if (row.group != kUnbredGroup || row.sex != kNoSex || row.young != kNone || row.youngIndex != kNone ||
      row.stableBlock != kNone) {
    return rowWhere(i) + "rows past the breedable pairs are group 8, sex 2, with no young nor stable block";
  }
  return {};
}

// A saved number read back must give the mob it was written for.
std::string indexProblem(const std::vector<MobItemRow>& rows) {
  std::map<uint16_t, uint16_t> mobOf;
  auto claim = [&](uint16_t index, uint16_t mob) {
    const auto [it, added] = mobOf.emplace(index, mob);
    return added || it->second == mob;
  };
  for (size_t i = 0; i < rows.size(); ++i) {
    if (!claim(rows[i].stableIndex, rows[i].mob) ||
        (rows[i].young != kNone && !claim(rows[i].youngIndex, rows[i].young))) {
      return rowWhere(i) + "a saved number stands for two mobs";
    }
  }
  return {};
}

}  // namespace

const MobItemRow* MobItemTable::forMob(uint16_t mob) const {
  for (const MobItemRow& row : rows_) {
    if (row.mob == mob) return &row;
  }
  return nullptr;
}

const MobItemRow* MobItemTable::forItem(uint16_t item) const {
  for (const MobItemRow& row : rows_) {
    if (row.item == item) return &row;
  }
  return nullptr;
}

uint16_t MobItemTable::stableIndexOf(uint16_t mob) const {
  if (const MobItemRow* row = forMob(mob)) return row->stableIndex;
  for (const MobItemRow& row : rows_) {
    if (row.young == mob && row.young != kNone) return row.youngIndex;
  }
  return kNone;
}

int32_t MobItemTable::mobOfStableIndex(uint16_t index) const {
  if (index == kNone) return -1;
  for (const MobItemRow& row : rows_) {
    if (row.stableIndex == index) return row.mob;
  }
  for (const MobItemRow& row : rows_) {
    if (row.young != kNone && row.youngIndex == index) return row.young;
  }
  return -1;
}

std::string mobItemTableProblem(const MobItemTable& table, size_t itemLimit, size_t mobLimit) {
  const std::vector<MobItemRow>& rows = table.rows();
  if (rows.size() != kRowCount) {
    return "the mob item table has " + std::to_string(rows.size()) + " rows, not " + std::to_string(kRowCount);
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    std::string problem = idProblem(rows[i], i, itemLimit, mobLimit);
    if (problem.empty()) {
      problem = i < kBreedableRows ? (i % 2 == 0 ? pairProblem(rows[i], rows[i + 1], i) : std::string())
                                   : unbredProblem(rows[i], i);
    }
    if (!problem.empty()) return problem;
  }
  return indexProblem(rows);
}
