#include "tools/content_checks/mob_item_check.h"

#include <string>

#include "world/blocks/stable.h"
#include "world/placement/block_tables.h"

namespace content_checks {

namespace {

const SourcePlace kMobItemsFile{content_compiler::source_files::kMobItems};
constexpr uint8_t kTrinketKind = 7;

// The stable keeps the breedable rows it feeds and breeds by; they must be the table's.
void checkStableAgrees(const MobItemRow& row, const SourcePlace& place, CheckReport& report) {
  if (row.group == mob_items::kUnbredGroup) {
    if (stableBlockForItem(row.item) >= 0) report.add(place, "the stable takes item " + std::to_string(row.item));
    return;
  }
  if (stableItemForMob(row.mob) != row.item || stableBlockForItem(row.item) != row.stableBlock) {
    report.add(place, "the stable keeps mob " + std::to_string(row.mob) + " with another item or block");
  }
}

}  // namespace

void checkMobItems(const MobItemTable& table, const ContentIndex& content, CheckReport& report) {
  const auto& rows = table.rows();
  for (size_t i = 0; i < rows.size(); ++i) {
    const MobItemRow& row = rows[i];
    const SourcePlace place{content_compiler::source_files::kMobItems, static_cast<long>(i)};
    const std::string what = "mob " + std::to_string(row.mob);
    if (content.mob(row.mob) == nullptr) report.add(place, what + " is no authored mob");
    if (row.young != mob_items::kNone && content.mob(row.young) == nullptr) {
      report.add(place, "the young " + std::to_string(row.young) + " is no authored mob");
    }
    const TreasureSource* item = content.item(row.item);
    if (item == nullptr) {
      report.add(place, "item " + std::to_string(row.item) + " is not defined");
    } else if (itemKind(*item) != kTrinketKind || itemPlacesBlock(*item) != row.mob) {
      report.add(place, "item " + std::to_string(row.item) + " is no trinket that stands for " + what);
    }
    if (row.stableBlock != mob_items::kNone && !isStableBlock(row.stableBlock)) {
      report.add(place, "block " + std::to_string(row.stableBlock) + " is no stable");
    }
    checkStableAgrees(row, place, report);
  }
  if (rows.empty()) report.add(kMobItemsFile, "the mob-to-item table is empty");
}

}  // namespace content_checks
