#include "tools/content_checks/fixed_id_checks.h"

#include <algorithm>

#include "tools/content_checks/fixed_ids.h"

namespace content_checks {

namespace cc = content_compiler;

namespace {

const SourcePlace kBlocksFile{cc::source_files::kBlocks};
const SourcePlace kTreasuresFile{cc::source_files::kTreasures};
const SourcePlace kMobsFile{cc::source_files::kMobs};

std::string flagList(uint64_t flags) {
  std::string text;
  for (int b = 0; b < 64; ++b) {
    if (flags & flagBit(b)) text += (text.empty() ? "" : ", ") + std::to_string(b);
  }
  return text;
}

void checkBlock(const FixedBlock& fixed, uint16_t id, const ContentIndex& content, CheckReport& report) {
  const std::string what = "block " + std::to_string(id) + " (" + fixed.use + ")";
  const BlockSource* block = content.block(id);
  if (!block) {
    report.add(kBlocksFile, what + " is not defined");
    return;
  }
  const uint64_t flags = blockFlags(*block);
  if ((flags & fixed.flagsOn) != fixed.flagsOn) {
    report.add(block->place, what + " needs flag " + flagList(fixed.flagsOn & ~flags));
  }
  if (flags & fixed.flagsOff) report.add(block->place, what + " must not have flag " + flagList(flags & fixed.flagsOff));
  if (fixed.passable && block->record.transparency() == 0) {
    report.add(block->place, what + " must let bodies pass: its transparency may not be 0");
  }
  if (blockVariants(*block) < fixed.minVariants) {
    report.add(block->place, what + " needs at least " + std::to_string(fixed.minVariants) + " variants, has " +
                                 std::to_string(blockVariants(*block)));
  }
}

std::string kindList(const std::vector<uint8_t>& kinds) {
  std::string text;
  for (size_t i = 0; i < kinds.size(); ++i) text += (i ? " or " : "") + std::to_string(kinds[i]);
  return text;
}

void checkRangedShot(const FixedItem& fixed, const TreasureSource& item, const std::string& what,
                     const ContentIndex& content, CheckReport& report) {
  const auto* ranged = content.ranged(item.id);
  if (!ranged) return;  // reported as a missing record
  const int row = rangedBulletRow(ranged->record);
  if (fixed.bulletRow >= 0 && row != fixed.bulletRow) {
    report.add(ranged->place, what + " must fire projectile row " + std::to_string(fixed.bulletRow) + ", fires " +
                                  std::to_string(row));
  }
  if (fixed.bobberShot) {
    const auto& bullets = content.sources().bullets;
    if (row < 0 || static_cast<size_t>(row) >= bullets.size() || !bulletIsBobber(bullets[static_cast<size_t>(row)])) {
      report.add(ranged->place, what + " must fire a projectile row with the bobber flag (row " +
                                    std::to_string(row) + " has none)");
    }
  }
}

void checkItem(const FixedItem& fixed, uint16_t id, const ContentIndex& content, CheckReport& report) {
  const std::string what = "item " + std::to_string(id) + " (" + fixed.use + ")";
  const TreasureSource* item = content.item(id);
  if (!item) {
    report.add(kTreasuresFile, what + " is not defined");
    return;
  }
  const uint8_t kind = itemKind(*item);
  if (!fixed.kinds.empty() && std::find(fixed.kinds.begin(), fixed.kinds.end(), kind) == fixed.kinds.end()) {
    report.add(item->place, what + " must be of kind " + kindList(fixed.kinds) + ", is " + std::to_string(kind));
  }
  switch (fixed.record) {
    case ItemRecordNeed::Tool:
      if (!content.tool(id)) report.add(item->place, what + " needs a record in tools.json");
      break;
    case ItemRecordNeed::Ranged:
      if (!content.ranged(id)) report.add(item->place, what + " needs a record in rangeds.json");
      break;
    case ItemRecordNeed::Buff:
      if (!content.buff(id)) report.add(item->place, what + " needs a record in buffs.json");
      break;
    case ItemRecordNeed::None:
      break;
  }
  checkRangedShot(fixed, *item, what, content, report);
}

}  // namespace

void checkFixedBlocks(const ContentIndex& content, CheckReport& report) {
  // Block 0 is the empty cell: a row for it may only describe empty air.
  if (const BlockSource* empty = content.block(0)) {
    if (blockFlags(*empty) != 0 || empty->record.transparency() == 0 || empty->lootTable != content::kNoLootTable) {
      report.add(empty->place, "block 0 is the empty cell: it must have no flags, no loot and a non-zero transparency");
    }
  }
  for (const FixedBlock& fixed : fixedBlocks()) {
    for (uint16_t id : fixed.ids) checkBlock(fixed, id, content, report);
  }
}

void checkFixedItems(const ContentIndex& content, CheckReport& report) {
  if (const TreasureSource* none = content.item(0)) {
    report.add(none->place, "item 0 reads back from saves as no item and cannot be defined");
  }
  for (const FixedItem& fixed : fixedItems()) {
    for (uint16_t id : fixed.ids) checkItem(fixed, id, content, report);
  }
  for (const FixedPlacer& placer : fixedPlacers()) {
    const std::string what = "item " + std::to_string(placer.item) + " (" + placer.use + ")";
    const TreasureSource* item = content.item(placer.item);
    if (!item) {
      report.add(kTreasuresFile, what + " is not defined");
    } else if (itemPlacesBlock(*item) != placer.block) {
      report.add(item->place, what + " must place block " + std::to_string(placer.block) + ", places " +
                                  std::to_string(itemPlacesBlock(*item)));
    }
  }
}

void checkFixedMobs(const ContentIndex& content, CheckReport& report) {
  for (const FixedMob& fixed : fixedMobs()) {
    for (uint16_t row : fixed.rows) {
      const std::string what = "mob " + std::to_string(row) + " (" + fixed.use + ")";
      const auto* mob = content.mob(row);
      if (!mob) {
        const bool inFile = row < content.sources().mobs.size();
        report.add(inFile ? content.sources().mobs[row].place : kMobsFile,
                   what + (inFile ? " has no health, so it is an empty row" : " is not defined"));
      } else if (mob->record.movementKind() > 3) {
        // The factory makes no mob of an unknown movement kind.
        report.add(mob->place, what + " has movement kind " + std::to_string(mob->record.movementKind()) +
                                   "; only 0 to 3 make a mob");
      }
    }
  }
}

void checkFixedBullets(const ContentIndex& content, CheckReport& report) {
  const auto& bullets = content.sources().bullets;
  for (const FixedBullet& fixed : fixedBullets()) {
    for (uint16_t row : fixed.rows) {
      const SourcePlace place{cc::source_files::kBullets, row};
      const std::string what = "projectile row " + std::to_string(row) + " (" + fixed.use + ")";
      if (!content.bulletFilled(row)) {
        report.add(place, what + " is empty");
      } else if (fixed.sticks && !bulletSticks(bullets[row])) {
        report.add(place, what + " needs the stick flag");
      }
    }
  }
  const bool anyBobber = std::any_of(bullets.begin(), bullets.end(), bulletIsBobber);
  if (!anyBobber) report.add(SourcePlace{cc::source_files::kBullets}, "no projectile row has the bobber flag; fishing needs one");
}

void checkSpriteCells(const ContentIndex& content, CheckReport& report) {
  for (const auto& b : content.sources().blocks) {
    const unsigned variants = blockVariants(b);
    for (unsigned k = 1; k < variants; ++k) {
      const unsigned cell = b.id + k;
      if (const BlockSource* other = content.block(static_cast<uint16_t>(cell))) {
        report.add(other->place, "block " + std::to_string(cell) + " sits on a sprite cell of block " +
                                     std::to_string(b.id) + "'s " + std::to_string(variants) + " variants");
      }
    }
  }
  for (uint16_t marker : unplaceableBlocks()) {
    for (const auto& t : content.sources().treasures) {
      const uint8_t kind = itemKind(t);
      // Spawning items keep a mob row in the same field.
      if (kind == 6 || kind == 7) continue;
      if (itemPlacesBlock(t) == marker) {
        report.add(t.place, "item " + std::to_string(t.id) + " places block " + std::to_string(marker) +
                                ", which the game keeps for itself");
      }
    }
  }
}

}  // namespace content_checks
