#include "world/plants/plant_system.h"

#include "content/items/item.h"
#include "content/tables/fruit_table.h"
#include "content/tables/plant_table.h"
#include "world/cells/block_flags.h"
#include "world/map/world_map.h"
#include "world/plants/plant_genes.h"
#include "world/rules/logic.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

namespace bf = block_flag;

namespace {
constexpr uint8_t kDropKind = 7;
}  // namespace

bool PlantEntry::belongsTo(uint16_t cellX, uint16_t cellY) const {
  if (process) return process->originX() == cellX && process->originY() == cellY;
  return x == cellX && y == cellY;
}

PlantSystem::PlantSystem(WorldMap& map) : map_(map) {}

PlantSystem::~PlantSystem() = default;

uint32_t PlantSystem::darkness() const { return map_.world() != nullptr ? map_.world()->dayClock().darkness : 0; }

bool PlantSystem::creative() const { return map_.world() != nullptr && map_.world()->isCreative(); }

void PlantSystem::addPlant(const PlantRow& row, uint16_t x, uint16_t y, uint16_t gene) {
  PlantEntry& entry = plants_.emplace_back();
  entry.row = &row;
  entry.x = x;
  entry.y = y;
  if (row.row == kGeneticFlowerRow) {
    entry.kind = PlantEntry::kGeneticFlower;
    entry.stageOrGene = gene;
  } else if (row.growth == plant_growth::kTree) {
    entry.kind = PlantEntry::kTree;
    entry.process = std::make_unique<GrowthProcess>(x, y, row.process, false);
  } else {
    entry.kind = PlantEntry::kPlain;
    entry.stageOrGene = 1;
  }
}

void PlantSystem::registerPlant(MapBlock& cell, uint16_t gene) {
  const PlantRow* row = plantRowForBlock(cell.frontId());
  if (row == nullptr) return;
  for (const PlantEntry& entry : plants_) {
    if (entry.belongsTo(cell.x, cell.y)) return;  // placed again over itself: one plant
  }
  addPlant(*row, cell.x, cell.y, gene);
}

std::optional<uint16_t> PlantSystem::geneAt(const MapBlock& cell) const {
  for (const PlantEntry& entry : plants_) {
    if (entry.kind == PlantEntry::kGeneticFlower && entry.belongsTo(cell.x, cell.y)) return entry.stageOrGene;
  }
  return std::nullopt;
}

MapBlock* PlantSystem::stackTopAt(MapBlock& cell) {
  const BlockPropsTable& props = map_.props();
  if (!props[cell.frontId()].has(bf::kStackingPlant) || props[cell.frontId()].has(bf::kLeaves)) return nullptr;
  MapBlock* top = &cell;
  for (int32_t y = cell.y + 1; y < map_.height(); ++y) {
    MapBlock& next = map_.cell(cell.x, y);
    if (!props[next.frontId()].has(bf::kStackingPlant)) break;
    top = &next;
  }
  return top;
}

void PlantSystem::removeEntries(LogicEntities* dropRules, uint16_t x, uint16_t y) {
  for (auto it = plants_.begin(); it != plants_.end();) {
    if (!it->belongsTo(x, y)) {
      ++it;
      continue;
    }
    if (dropRules != nullptr && it->kind == PlantEntry::kGeneticFlower && !creative()) {
      ItemPtr seed = newItem(kSeedItem, -1, 1, -1, static_cast<uint16_t>(it->stageOrGene | kSeedFromPlantMark));
      if (MapBlock* cell = map_.cellAt(x, y); cell != nullptr && seed != nullptr) {
        dropRules->spawnItemDrop(std::move(seed), cellPixelPosition(*cell), kDropKind);
      }
    }
    it = plants_.erase(it);
  }
}

void PlantSystem::removePlantAt(LogicEntities& rules, uint16_t x, uint16_t y) { removeEntries(&rules, x, y); }

void PlantSystem::stopBranchAt(uint16_t x, uint16_t y) {
  for (PlantEntry& entry : plants_) {
    if (!entry.process) continue;
    for (BranchEntry& branch : entry.process->branches()) {
      if (branch.y != y) continue;
      const int origin = entry.process->originX();
      if (branch.x - branch.leftWidth - 1 + branch.leftLeft <= x && x < origin) {
        branch.leftLeft = 0;
      } else if (x <= branch.x + branch.rightWidth + 1 - branch.rightLeft && x > origin) {
        branch.rightLeft = 0;
      }
      return;
    }
  }
}

void PlantSystem::onCellCleared(LogicEntities& rules, uint16_t x, uint16_t y) {
  MapBlock* cell = map_.cellAt(x, y);
  if (cell == nullptr) return;
  const BlockPropsTable& props = map_.props();
  // A crown leaf carries no stacking flag, so it is told apart before the stack is looked at.
  if (props[cell->frontId()].has(bf::kLeaves)) {
    stopBranchAt(x, y);
    return;
  }
  if (!props[cell->frontId()].has(bf::kStackingPlant)) {
    MapBlock* up = map_.cellAt(x, y + 1);
    if (up == nullptr || !props[up->frontId()].has(bf::kStackingPlant)) return;
    cell = up;
  }
  if (MapBlock* top = stackTopAt(*cell)) removePlantAt(rules, top->x, top->y);
}

void PlantSystem::frontBlockRemoved(LogicEntities& rules, MapBlock& cell) {
  removeFruitPlant(rules, cell);
  onCellCleared(rules, cell.x, cell.y);
  // A plant whose own block goes ends with it, or its next step would grow it back out of the
  // empty cell. Seeds of a plant block are the world's drop, so none falls here.
  removeEntries(nullptr, cell.x, cell.y);
}

bool PlantSystem::restorePlant(uint32_t row, uint32_t kind, uint16_t x, uint16_t y, uint16_t stageOrGene,
                               std::unique_ptr<GrowthProcess> process) {
  if (row >= kPlantRowCount || kind > PlantEntry::kGeneticFlower) return false;
  if ((kind == PlantEntry::kTree) != (process != nullptr)) return false;
  PlantEntry& entry = plants_.emplace_back();
  entry.kind = kind;
  entry.row = &plantTable()[row];
  entry.x = x;
  entry.y = y;
  entry.stageOrGene = stageOrGene;
  entry.process = std::move(process);
  return true;
}

std::vector<const MapBlock*> PlantSystem::fruitCells() const {
  std::vector<const MapBlock*> cells;
  cells.reserve(fruits_.size());
  for (const auto& fruit : fruits_) cells.push_back(&map_.cells()[fruit.first]);
  return cells;
}

void PlantSystem::restoreFruitCell(MapBlock& cell) {
  if (const FruitRow* row = fruitRowForBlock(cell.frontId())) fruits_[map_.indexOf(cell)] = FruitState{row, 0, {}};
}
