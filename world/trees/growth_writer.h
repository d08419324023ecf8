#pragma once
// Where growth puts its blocks. During play every block a plant or tree grows is an edit handed
// to the rules (so the world, its light and the peers stay in step) and fruit-bearing blocks are
// registered with the plant registry; while a world is generated the blocks go straight into the
// map and nothing is registered. Main thread, or the world-load thread for the map form.

#include <cstdint>

class LogicCells;
class MapBlock;
class PlantSystem;
class WorldMap;

class GrowthWriter {
 public:
  virtual ~GrowthWriter() = default;
  // The cell's front block becomes the block in the variant and block state.
  virtual void place(MapBlock& cell, uint16_t blockId, uint8_t variant, uint8_t state = 0) = 0;
  // A front-side decoration in the slot (0-3).
  virtual void setDeco(MapBlock& cell, uint8_t slot, uint16_t blockId, uint8_t variant) = 0;
  // A fruit-bearing block now stands in the cell (nothing when the block bears no fruit).
  virtual void noteFruitBlock(MapBlock& cell, uint16_t blockId) = 0;
};

// Replace edits (kind 8, front layer) and decoration edits (kind 10) through the rules, without a
// player; fruit-bearing blocks go to the registry.
class RulesGrowthWriter final : public GrowthWriter {
 public:
  RulesGrowthWriter(LogicCells& rules, PlantSystem& plants) : rules_(rules), plants_(plants) {}
  void place(MapBlock& cell, uint16_t blockId, uint8_t variant, uint8_t state = 0) override;
  void setDeco(MapBlock& cell, uint8_t slot, uint16_t blockId, uint8_t variant) override;
  void noteFruitBlock(MapBlock& cell, uint16_t blockId) override;

 private:
  LogicCells& rules_;
  PlantSystem& plants_;
};

// Straight into the map, for the generator.
class MapGrowthWriter final : public GrowthWriter {
 public:
  explicit MapGrowthWriter(WorldMap& map) : map_(map) {}
  void place(MapBlock& cell, uint16_t blockId, uint8_t variant, uint8_t state = 0) override;
  void setDeco(MapBlock& cell, uint8_t slot, uint16_t blockId, uint8_t variant) override;
  void noteFruitBlock(MapBlock&, uint16_t) override {}

 private:
  WorldMap& map_;
};
