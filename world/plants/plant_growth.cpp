// The growth step of the plant registry: the periodic job over all plants, the forced step of
// block use, and one step by the plant's kind.

#include "content/tables/plant_table.h"
#include "engine/base/random.h"
#include "world/plants/plant_chance.h"
#include "world/map/world_map.h"
#include "world/plants/plant_genes.h"
#include "world/plants/plant_system.h"
#include "world/trees/growth_writer.h"

namespace pg = plant_growth;

namespace {

constexpr float kGrowAllChance = 0.1f;

// The next free decoration slot after `after` (-1: from the first), or -1 when all are taken.
int freeSlotAfter(const MapBlock& cell, int after) {
  for (int i = after + 1; i < 4; ++i) {
    if (map_deco::empty(cell.decos[static_cast<size_t>(i)])) return i;
  }
  return -1;
}

}  // namespace

void PlantSystem::growAll(LogicCells& rules) {
  for (auto it = plants_.begin(); it != plants_.end();) {
    const bool finished = plantChance(kGrowAllChance) && growStep(rules, *it, false);
    it = finished ? plants_.erase(it) : std::next(it);
  }
}

bool PlantSystem::growPlantAt(LogicCells& rules, const MapBlock& cell) {
  for (auto it = plants_.begin(); it != plants_.end(); ++it) {
    if (!it->belongsTo(cell.x, cell.y)) continue;
    if (growStep(rules, *it, true)) plants_.erase(it);
    return true;
  }
  return false;
}

bool PlantSystem::lightAllows(const MapBlock& cell, const PlantRow& row, bool forced) const {
  if (forced) return true;
  const uint8_t level = cell.lightLevel(darkness());
  return (level >= 8 && row.light == 0) || (level <= 6 && row.light == 1);
}

bool PlantSystem::growStep(LogicCells& rules, PlantEntry& entry, bool forced) {
  if (!forced && plantChance(1.0f - entry.row->chance)) return false;
  MapBlock* cell = map_.cellAt(entry.x, entry.y);
  if (cell == nullptr) return false;
  switch (entry.kind) {
    case PlantEntry::kGeneticFlower:
      return growsGeneticFlower(rules, entry, *cell, forced);
    case PlantEntry::kTree:
      return growsTree(rules, entry, forced);
    default:
      return growsPlain(rules, entry, *cell, forced);
  }
}

bool PlantSystem::growsGeneticFlower(LogicCells& rules, PlantEntry& entry, MapBlock& cell, bool forced) {
  if (!lightAllows(cell, *entry.row, forced)) return false;
  RulesGrowthWriter out(rules, *this);
  const auto blocks = plantBlocksOfGenes(entry.stageOrGene);
  const uint8_t state = engine::randomNext() % 2 == 0 ? 0 : 4;
  out.place(cell, blocks[1], randomVariantFor(map_.props(), blocks[1]), state);
  const int flowerSlot = freeSlotAfter(cell, -1);
  if (flowerSlot < 0) return true;
  out.setDeco(cell, static_cast<uint8_t>(flowerSlot), blocks[2], randomVariantFor(map_.props(), blocks[2]));
  const int colourSlot = freeSlotAfter(cell, flowerSlot);
  if (colourSlot >= 0) {
    out.setDeco(cell, static_cast<uint8_t>(colourSlot), blocks[3], randomVariantFor(map_.props(), blocks[3]));
  }
  return true;
}

bool PlantSystem::growsTree(LogicCells& rules, PlantEntry& entry, bool forced) {
  GrowthProcess& process = *entry.process;
  MapBlock* origin = map_.cellAt(process.originX(), process.originY());
  if (origin == nullptr || !lightAllows(*origin, *entry.row, forced)) return false;
  RulesGrowthWriter out(rules, *this);
  if (!process.step(map_, out)) return false;
  if (MapBlock* below = map_.cellAt(process.originX(), process.originY() - 1)) {
    out.noteFruitBlock(*below, below->frontId());
  }
  return true;
}

bool PlantSystem::growsPlain(LogicCells& rules, PlantEntry& entry, MapBlock& cell, bool forced) {
  const PlantRow& row = *entry.row;
  RulesGrowthWriter out(rules, *this);
  const BlockPropsTable& props = map_.props();
  switch (row.growth) {
    case pg::kReplace:
      if (!lightAllows(cell, row, forced)) return false;
      out.place(cell, row.block1, randomVariantFor(props, row.block1));
      out.noteFruitBlock(cell, row.block1);
      return true;
    case pg::kThreeState:
      if (!lightAllows(cell, row, forced)) return false;
      if (cell.frontId() == row.block0) {
        out.place(cell, row.block1, 1);
      } else if (cell.frontId() == row.block1 && cell.frontVariant() == 1) {
        out.place(cell, row.block1, 0);
      } else if (cell.frontId() == row.block1 && cell.frontVariant() == 0) {
        out.place(cell, row.block2, randomVariantFor(props, row.block2));
        return true;
      }
      return false;
    case pg::kTwoBlock: {
      MapBlock* above = map_.cellAt(cell.x, cell.y + 1);
      if (above == nullptr || above->frontId() != 0 || !lightAllows(cell, row, forced)) return false;
      const uint8_t variant = randomVariantFor(props, row.block1);
      out.place(cell, row.block1, variant);
      out.place(*above, row.block2, variant);
      out.noteFruitBlock(cell, row.block1);
      out.noteFruitBlock(*above, row.block2);
      return true;
    }
    case pg::kClimbing:
      return growsClimbing(rules, entry, cell, forced);
    default:
      return false;
  }
}

bool PlantSystem::growsClimbing(LogicCells& rules, PlantEntry& entry, MapBlock& cell, bool forced) {
  const PlantRow& row = *entry.row;
  RulesGrowthWriter out(rules, *this);
  MapBlock* above = map_.cellAt(cell.x, cell.y + 1);
  if (lightAllows(cell, row, forced) && above != nullptr && above->frontId() == 0) {
    const uint16_t segment = entry.stageOrGene == 1 ? row.block1 : row.block2;
    out.place(cell, segment, randomVariantFor(map_.props(), segment));
    out.noteFruitBlock(cell, segment);
    out.place(*above, row.block3, randomVariantFor(map_.props(), row.block3));
    ++entry.stageOrGene;
    ++entry.y;
  }
  const int stage = entry.stageOrGene;
  bool finished = false;
  if (stage >= row.stages) {
    finished = true;
  } else if (stage == row.stages - 1) {
    finished = plantChance(0.5f);
  } else if (stage == row.stages - 2 && stage >= 2) {
    finished = plantChance(0.25f);
  }
  if (finished) {
    if (MapBlock* tip = map_.cellAt(entry.x, entry.y)) out.noteFruitBlock(*tip, row.block3);
  }
  return finished;
}
