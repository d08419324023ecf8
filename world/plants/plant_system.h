#pragma once
// The plant registry of a world. A block listed in the plant table is registered when it is
// placed; the rules' periodic jobs then grow every registered plant by chance (`growAll`) and hang
// fruit on grown blocks that bear it (`growFruits`). A plant grows in one of five ways given by
// its row: it turns into its grown block, passes through a middle state, grows into a two-block
// plant, climbs segment by segment, or runs a tree's growth process; the genetic flower grows the
// stem and decorations its gene word names. Every cell growth changes is an edit handed to the
// rules the caller passes, so a host repeats it to its peers.
//
// Fruits are entities above the world model: the registry keeps the id of each fruit the rules'
// `spawnFruit` made (through the world's entity effects) and resolves it when the fruit is
// released; a fruit that is gone by then is only forgotten. It never looks inside them.
//
// Main thread; the generator adds plants on the world-load thread before play starts.

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "world/entities/entity_id.h"
#include "world/trees/growth_process.h"

class Entity;
class EntityEffects;
class LogicCells;
class LogicEntities;
class MapBlock;
class WorldMap;
struct FruitRow;
struct PlantRow;

struct PlantEntry {
  static constexpr uint32_t kPlain = 0;
  static constexpr uint32_t kTree = 1;
  static constexpr uint32_t kGeneticFlower = 2;

  uint32_t kind = kPlain;
  const PlantRow* row = nullptr;
  uint16_t x = 0;  // climbing plants: the current tip
  uint16_t y = 0;
  uint16_t stageOrGene = 0;  // the stage of a plain plant, the gene word of the genetic flower
  std::unique_ptr<GrowthProcess> process;  // trees only

  // An entry without process by its cell, a tree by its process origin.
  bool belongsTo(uint16_t cellX, uint16_t cellY) const;
};

struct FruitState {
  static constexpr int kSlots = 2;
  const FruitRow* row = nullptr;
  uint8_t count = 0;  // fruits now hanging
  EntityId slots[kSlots] = {};
};

// Result codes of `canPlantAt`.
enum class PlantCheck : uint8_t {
  MayPlant = 0,
  WrongSoil = 1,
  SoilNeedsDeco = 2,
  NeedsSolidGround = 3,
  CellOccupied = 4,
  NeedsBlock2382 = 5,
  NeedsBlock2381 = 6,
  BlockingDeco = 7,
};

class PlantSystem {
 public:
  explicit PlantSystem(WorldMap& map);
  ~PlantSystem();
  PlantSystem(const PlantSystem&) = delete;
  PlantSystem& operator=(const PlantSystem&) = delete;

  WorldMap& map() { return map_; }

  // ---- Plants ----
  void addPlant(const PlantRow& row, uint16_t x, uint16_t y, uint16_t gene);
  // The world's registration of a placed block: added when the cell's front block is listed.
  void registerPlant(MapBlock& cell, uint16_t gene);
  // The gene word of a genetic flower still growing in the cell.
  std::optional<uint16_t> geneAt(const MapBlock& cell) const;
  // Periodic job: each entry, with probability 0.1, takes a growth step; finished ones leave.
  void growAll(LogicCells& rules);
  // A forced step for the first entry of the cell; true when one was found.
  bool growPlantAt(LogicCells& rules, const MapBlock& cell);
  // One growth step; true when the plant is finished.
  bool growStep(LogicCells& rules, PlantEntry& entry, bool forced);
  // The top of the column of stacking-plant blocks that starts at the cell, or null.
  MapBlock* stackTopAt(MapBlock& cell);
  PlantCheck canPlantAt(MapBlock& cell, const PlantRow& row);
  // Removes every entry of the cell; a genetic flower drops its seed (not in a creative world).
  void removePlantAt(LogicEntities& rules, uint16_t x, uint16_t y);
  // The cell's front block is going: a crown leaf stops the branch that would grow there; any
  // other plant block ends the plant it belongs to.
  void onCellCleared(LogicEntities& rules, uint16_t x, uint16_t y);
  size_t plantCount() const { return plants_.size(); }
  const std::list<PlantEntry>& plants() const { return plants_; }

  // ---- Fruit ----
  void addFruitPlant(MapBlock& cell, const FruitRow* row);
  // Periodic job: hangs new fruits where there is light and room.
  void growFruits(LogicEntities& rules);
  // Releases one fruit (or all, with kNoEntity); true when something was released.
  bool takeFruit(LogicEntities& rules, MapBlock& cell, EntityId fruit);
  void removeFruitPlant(LogicEntities& rules, MapBlock& cell);

  // What the world does when the front block of a cell is removed: its fruits fall, its plant ends.
  void frontBlockRemoved(LogicEntities& rules, MapBlock& cell);

  // ---- As a save file keeps them ----
  // An entry as it was saved, appended; false (nothing added) for a row outside the plant table
  // or a tree without its process.
  bool restorePlant(uint32_t row, uint32_t kind, uint16_t x, uint16_t y, uint16_t stageOrGene,
                    std::unique_ptr<GrowthProcess> process);
  // The fruit-bearing cells, in cell order.
  std::vector<const MapBlock*> fruitCells() const;
  // The cell bears fruit again, with nothing hanging (the fruits themselves were not kept); a
  // cell whose block bears no fruit is skipped.
  void restoreFruitCell(MapBlock& cell);

 private:
  bool lightAllows(const MapBlock& cell, const PlantRow& row, bool forced) const;
  bool growsGeneticFlower(LogicCells& rules, PlantEntry& entry, MapBlock& cell, bool forced);
  bool growsTree(LogicCells& rules, PlantEntry& entry, bool forced);
  bool growsPlain(LogicCells& rules, PlantEntry& entry, MapBlock& cell, bool forced);
  bool growsClimbing(LogicCells& rules, PlantEntry& entry, MapBlock& cell, bool forced);
  void releaseFruit(LogicEntities& rules, EntityId fruit);
  // The world's entity effects (the null form for a map without a world).
  EntityEffects& entities() const;
  void stopBranchAt(uint16_t x, uint16_t y);
  void removeEntries(LogicEntities* dropRules, uint16_t x, uint16_t y);
  uint32_t darkness() const;
  bool creative() const;

  std::list<PlantEntry> plants_;
  std::map<size_t, FruitState> fruits_;  // by cell index: the order of the cells in memory
  WorldMap& map_;
};
