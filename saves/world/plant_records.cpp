#include "saves/world/plant_records.h"

#include <memory>

#include "content/tables/plant_table.h"
#include "world/map/world_map.h"
#include "world/plants/plant_system.h"
#include "world/trees/growth_process.h"
#include "world/trees/leaf_decay.h"
#include "world/world.h"

namespace {

CellPos posOf(const MapBlock& cell) { return {cell.x, cell.y}; }

ProcessRecord processRecordOf(const GrowthProcess& process) {
  const GrowthState state = process.state();
  ProcessRecord record;
  record.row = state.spec;
  record.currentStep = state.stagesTaken;
  record.state = {state.rowsLeft, static_cast<uint8_t>(state.leftWidth), static_cast<uint8_t>(state.rightWidth)};
  record.first = state.x;
  record.second = state.y;
  for (const BranchEntry& branch : process.branches()) {
    record.steps.push_back({{static_cast<uint8_t>(branch.leftLeft), static_cast<uint8_t>(branch.rightLeft),
                             static_cast<uint8_t>(branch.leftWidth), static_cast<uint8_t>(branch.rightWidth)},
                            branch.x,
                            branch.y});
  }
  return record;
}

std::unique_ptr<GrowthProcess> processOf(const PlantRecord& plant) {
  const ProcessRecord& record = *plant.process;
  const GrowthState state{record.row,
                          record.currentStep,
                          record.state[0],
                          static_cast<int8_t>(record.state[1]),
                          static_cast<int8_t>(record.state[2]),
                          record.first,
                          record.second};
  std::vector<BranchEntry> branches;
  for (const ProcessStepRecord& step : record.steps) {
    branches.push_back({nullptr, static_cast<int8_t>(step.values[0]), static_cast<int8_t>(step.values[1]),
                        static_cast<int8_t>(step.values[2]), static_cast<int8_t>(step.values[3]), step.first,
                        step.second, 0});
  }
  return std::make_unique<GrowthProcess>(plant.cell.x, plant.cell.y, state, std::move(branches));
}

}  // namespace

PlantRecords plantRecordsOf(World& world) {
  PlantRecords records;
  for (const PlantEntry& entry : world.plants().plants()) {
    PlantRecord plant;
    plant.value = entry.row->row;
    plant.cell = {entry.x, entry.y};
    plant.kind = entry.kind;
    if (entry.process) {
      plant.cell = {entry.process->originX(), entry.process->originY()};
      plant.process = processRecordOf(*entry.process);
    } else {
      plant.extra = entry.stageOrGene;
    }
    records.entries.push_back(std::move(plant));
  }
  for (const MapBlock* cell : world.plants().fruitCells()) records.plantCells.push_back(posOf(*cell));
  for (const auto& [cell, layer] : world.leafDecay().entries()) {
    if (layer == MapBlock::kFront) records.secondCells.push_back(posOf(*cell));
  }
  return records;
}

void restorePlantRecords(World& world, const PlantRecords& records) {
  PlantSystem& plants = world.plants();
  for (const PlantRecord& plant : records.entries) {
    std::unique_ptr<GrowthProcess> process = plant.process ? processOf(plant) : nullptr;
    plants.restorePlant(plant.value, plant.kind, plant.cell.x, plant.cell.y, static_cast<uint16_t>(plant.extra),
                        std::move(process));
  }
  for (CellPos pos : records.plantCells) {
    if (MapBlock* cell = world.cellAt(pos.x, pos.y)) plants.restoreFruitCell(*cell);
  }
  for (CellPos pos : records.secondCells) {
    if (const MapBlock* cell = world.cellAt(pos.x, pos.y)) world.leafDecay().restore(*cell, MapBlock::kFront);
  }
}
