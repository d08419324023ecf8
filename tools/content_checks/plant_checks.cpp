#include "tools/content_checks/plant_checks.h"

#include <map>
#include <string>
#include <vector>

#include "content/format/record_layout.h"

namespace content_checks {

namespace cc = content_compiler;

namespace {

const SourcePlace kTreasuresFile{cc::source_files::kTreasures};
const SourcePlace kBlocksFile{cc::source_files::kBlocks};

constexpr int kStackingPlant = 7;
constexpr int kSupportsLeaves = 8;
constexpr int kLeaves = 9;
constexpr int kFruitPlant = 30;
constexpr uint8_t kPlaceableKind = 3;
constexpr uint8_t kSeedSubKind = 5;

struct Checker {
  const ContentIndex& content;
  CheckReport& report;

  // The block, reported when missing; null then.
  const BlockSource* block(uint16_t id, const std::string& what) {
    const BlockSource* found = content.block(id);
    if (found == nullptr) report.add(kBlocksFile, what + ": block " + std::to_string(id) + " is not defined");
    return found;
  }
  void needFlag(uint16_t id, int flag, const std::string& what) {
    const BlockSource* found = block(id, what);
    if (found != nullptr && (blockFlags(*found) & flagBit(flag)) == 0) {
      report.add(found->place, what + ": block " + std::to_string(id) + " needs flag " + std::to_string(flag));
    }
  }
};

std::string rowName(const PlantRow& row) { return "plant row " + std::to_string(row.row); }

void checkGrownBlocks(Checker& check, const PlantRow& row, size_t specCount) {
  const std::string what = rowName(row);
  switch (row.growth) {
    case plant_growth::kReplace:
      if (row.row != kGeneticFlowerRow) check.block(row.block1, what);
      break;
    case plant_growth::kThreeState:
      if (const BlockSource* middle = check.block(row.block1, what); middle && blockVariants(*middle) < 2) {
        check.report.add(middle->place, what + ": block " + std::to_string(row.block1) +
                                            " passes variant 1 and needs two variants");
      }
      check.block(row.block2, what);
      break;
    case plant_growth::kTwoBlock:
      check.block(row.block1, what);
      check.block(row.block2, what);
      break;
    case plant_growth::kClimbing:
      for (uint16_t id : {row.block0, row.block1, row.block2, row.block3}) check.needFlag(id, kStackingPlant, what);
      if (row.stages == 0) check.report.add(kBlocksFile, what + ": a climbing plant needs a stage count");
      break;
    case plant_growth::kTree:
      if (row.process >= specCount) check.report.add(kBlocksFile, what + ": no growth spec " + std::to_string(row.process));
      break;
    default:
      check.report.add(kBlocksFile, what + ": unknown growth kind " + std::to_string(row.growth));
  }
}

void checkPlantRows(Checker& check, const PlantRules& rules) {
  std::map<uint16_t, uint32_t> plantedBy;
  for (const PlantRow& row : rules.plants) {
    if (row.block0 == 0) continue;
    const std::string what = rowName(row);
    check.block(row.block0, what);
    if (auto [at, fresh] = plantedBy.emplace(row.block0, row.row); !fresh) {
      check.report.add(kBlocksFile, what + ": block " + std::to_string(row.block0) + " is already planted by row " +
                                        std::to_string(at->second));
    }
    checkGrownBlocks(check, row, rules.specs.size());
    if (row.needsBlock != 0) check.block(row.needsBlock, what);
    if (row.item == 0) continue;
    const TreasureSource* item = check.content.item(static_cast<uint16_t>(row.item));
    if (item == nullptr) {
      check.report.add(kTreasuresFile, what + ": item " + std::to_string(row.item) + " is not defined");
    } else if (itemPlacesBlock(*item) != row.block0) {
      check.report.add(item->place, what + ": item " + std::to_string(row.item) + " must plant block " +
                                        std::to_string(row.block0));
    }
  }
  // A seed that places a block no row grows would stand in the ground for ever.
  for (const TreasureSource& item : check.content.sources().treasures) {
    const uint16_t placed = itemPlacesBlock(item);
    if (itemKind(item) != kPlaceableKind || item.record.u8(content::item_record::subKind) != kSeedSubKind) continue;
    if (placed != 0 && plantedBy.count(placed) == 0) {
      check.report.add(item.place, "seed item " + std::to_string(item.id) + " places block " + std::to_string(placed) +
                                       ", which no plant row grows");
    }
  }
}

void checkSpecs(Checker& check, const PlantRules& rules) {
  for (const ProcessSpec& spec : rules.specs) {
    const std::string what = "growth spec " + std::to_string(spec.kind);
    const uint16_t leaf = spec.blocks[3];
    for (size_t i = 0; i < 3; ++i) {
      if (leaf != 0) {
        check.needFlag(spec.blocks[i], kSupportsLeaves, what);
      } else {
        check.block(spec.blocks[i], what);
      }
    }
    if (leaf != 0) check.needFlag(leaf, kLeaves, what);
  }
}

void checkFruits(Checker& check, const PlantRules& rules) {
  for (const FruitRow& row : rules.fruits) {
    const std::string what = "fruit of block " + std::to_string(row.block);
    check.needFlag(row.block, kFruitPlant, what);
    if (check.content.item(row.fruit) == nullptr) {
      check.report.add(kTreasuresFile, what + ": item " + std::to_string(row.fruit) + " is not defined");
    }
  }
}

}  // namespace

PlantRules gamePlantRules() {
  static const auto specs = buildProcessSpecs();
  return {plantTable(), fruitTable(), specs};
}

void checkPlantRules(const ContentIndex& content, const PlantRules& rules, CheckReport& report) {
  Checker check{content, report};
  checkPlantRows(check, rules);
  checkSpecs(check, rules);
  checkFruits(check, rules);
}

}  // namespace content_checks
