#include "content/tables/game_tables.h"

#include <cmath>

namespace {

using namespace game_tables;

std::string rowProblem(const DifficultyRow& row, size_t level) {
  const std::string where = "difficulty " + std::to_string(level) + ": ";
  if (row.level() != level) return where + "names level " + std::to_string(row.level());
  constexpr size_t kFactors[] = {difficulty_record::playerDamage, difficulty_record::mobDamage,
                                 difficulty_record::spawnFactor, difficulty_record::protectionTime,
                                 difficulty_record::regeneration};
  for (size_t offset : kFactors) {
    const float value = row.f32(offset);
    if (!std::isfinite(value) || value < 0)
      return where + "the value at byte " + std::to_string(offset) + " is not a finite number of 0 or more";
  }
  for (size_t i = 0; i < difficulty_record::lootFactorCount; ++i) {
    const float value = row.f32(difficulty_record::lootFactors + 4 * i);
    if (!std::isfinite(value) || value < 0)
      return where + "loot factor " + std::to_string(i) + " is not a finite number of 0 or more";
  }
  constexpr size_t kFlags[] = {difficulty_record::dropsQuickSlots, difficulty_record::dropsBackpack,
                               difficulty_record::dropsWorn, difficulty_record::peaceful};
  for (size_t offset : kFlags) {
    if (row.u8(offset) > 1)
      return where + "the flag at byte " + std::to_string(offset) + " is neither 0 nor 1";
  }
  return {};
}

std::string bookProblem(const std::vector<CraftBookRow>& book) {
  if (book.size() != kBookEntryCount) {
    return "the craft book has " + std::to_string(book.size()) + " entries, not " +
           std::to_string(kBookEntryCount);
  }
  std::array<size_t, kListKindCount> perList{};
  for (size_t i = 0; i < book.size(); ++i) {
    const CraftBookRow& row = book[i];
    const std::string where = "craft book entry " + std::to_string(i) + ": ";
    if (row.name.empty()) return where + "has no name";
    if (row.name.size() > kTextLimit || row.detail.size() > kTextLimit) return where + "a text is too long";
    if (row.listKind >= kListKindCount)
      return where + "list kind " + std::to_string(row.listKind) + " is not 0-4";
    ++perList[row.listKind];
  }
  for (size_t kind = 0; kind < kListKindCount; ++kind) {
    if (perList[kind] != kEntriesPerList[kind]) {
      return "the craft book's list " + std::to_string(kind) + " has " + std::to_string(perList[kind]) +
             " entries, not " + std::to_string(kEntriesPerList[kind]);
    }
  }
  return {};
}

std::string catalogueProblem(const GameTables& tables, size_t itemIdLimit, size_t mobLimit) {
  for (size_t c = 0; c < kCategoryCount; ++c) {
    const size_t limit = c == kSpawnerCategory ? mobLimit : itemIdLimit;
    for (size_t i = 0; i < tables.catalogue[c].size(); ++i) {
      const CatalogueRow& row = tables.catalogue[c][i];
      const std::string where =
          "catalogue category " + std::to_string(c) + ", entry " + std::to_string(i) + ": ";
      if (row.id >= limit) return where + "id " + std::to_string(row.id) + " is out of range";
      if (row.mask == 0 || (row.mask & ~kPlanetMaskBits) != 0)
        return where + "the planet mask is not a 12-bit mask";
    }
  }
  return {};
}

}  // namespace

std::string gameTablesProblem(const GameTables& tables, size_t itemIdLimit, size_t mobLimit) {
  if (tables.difficulties.size() != kDifficultyCount) {
    return "there are " + std::to_string(tables.difficulties.size()) + " difficulty rows, not " +
           std::to_string(kDifficultyCount);
  }
  for (size_t level = 0; level < kDifficultyCount; ++level) {
    std::string problem = rowProblem(tables.difficulties[level], level);
    if (!problem.empty()) return problem;
  }
  std::string problem = bookProblem(tables.book);
  if (!problem.empty()) return problem;
  problem = catalogueProblem(tables, itemIdLimit, mobLimit);
  if (!problem.empty()) return problem;
  return mobItemTableProblem(tables.mobItems, itemIdLimit, mobLimit);
}
