#pragma once
// A tree growing one row at a time by its growth table row (content/tables/process_spec.h): the
// row's stages place base rows (root, then lower trunk), trunk rows that start branches, and rows that
// widen or narrow the canopy; every branch entry lays leaves sideways, one to each side per step.
// The trunk climbs one cell whenever a row is used; a cell above that holds a foreign block or a
// plant stops the tree at once (it still finishes its branches).
//
// Blocks are written through a `GrowthWriter` handed to every step, so the same process serves
// the generator (straight into the map, nothing registered) and a planted sapling during play
// (edits through the rules, fruit-bearing trunks and leaves registered). Main thread, or the
// world-load thread for a generated world.

#include <cstdint>
#include <vector>

class GrowthWriter;
class WorldMap;
struct ProcessSpec;
struct ProcessStep;

// `randomInRange`: lo when equal, else lo + rand() modulo (hi - lo + 1).
int randomInRange(int lo, int hi);

struct BranchEntry {
  const ProcessSpec* spec = nullptr;
  int8_t leftLeft = 0;   // leaves still to lay on each side
  int8_t rightLeft = 0;
  int8_t leftWidth = 0;  // widths at creation
  int8_t rightWidth = 0;
  uint16_t x = 0;  // the trunk cell of the row
  uint16_t y = 0;
  uint8_t noRegistration = 0;

  // One leaf to the right and one to the left; a side whose next cell is missing or taken stops.
  // True when both sides are done.
  bool step(WorldMap& map, GrowthWriter& out);
};

// What a process keeps between steps, as a save file holds it: its growth row, how many stages it took,
// the rows left in the current one (none: between stages), the widths and its current cell.
struct GrowthState {
  uint8_t spec = 0;
  uint8_t stagesTaken = 0;
  uint8_t rowsLeft = 0;
  int8_t leftWidth = 0;
  int8_t rightWidth = 0;
  uint16_t x = 0;
  uint16_t y = 0;
};

class GrowthProcess {
 public:
  // A process at (x, y) on growth row 0-25; the generator's runs do not register fruit.
  GrowthProcess(uint16_t x, uint16_t y, uint8_t specNumber, bool noRegistration);

  // One step; true when the process has finished (all stages done, no branch left, no rows left).
  bool step(WorldMap& map, GrowthWriter& out);

  // A process of a planted tree at its origin, brought back as it was saved; a stage count past
  // the growth row's ends the stages.
  GrowthProcess(uint16_t originX, uint16_t originY, const GrowthState& state, std::vector<BranchEntry> branches);
  GrowthState state() const;

  uint16_t originX() const { return originX_; }
  uint16_t originY() const { return originY_; }
  std::vector<BranchEntry>& branches() { return branches_; }
  const std::vector<BranchEntry>& branches() const { return branches_; }

 private:
  bool betweenStagesFinished() const;
  void takeNextStage();
  void growRow(WorldMap& map, GrowthWriter& out);
  void placeTrunkPart(WorldMap& map, GrowthWriter& out, int32_t y, uint16_t blockId);
  void addBranch();

  const ProcessSpec* spec_;
  const ProcessStep* stage_ = nullptr;  // none between stages
  std::vector<BranchEntry> branches_;
  uint8_t stageIndex_ = 0;
  uint8_t rowsLeft_ = 0;
  int8_t leftWidth_ = 0;
  int8_t rightWidth_ = 0;
  uint8_t noRegistration_ = 0;
  uint16_t x_ = 0;
  uint16_t y_ = 0;
  uint16_t originX_ = 0;
  uint16_t originY_ = 0;
};

// A process with the no-registration flag, stepped into the map until it finishes (the
// generator's trees). The walk is bounded by the growth row's stages and the map's top.
void runGrowthToCompletion(WorldMap& map, int32_t x, int32_t y, uint8_t specNumber);
