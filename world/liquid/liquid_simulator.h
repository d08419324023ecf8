#pragma once
// Water, lava and acid flowing over the cells of a map in timed steps. A cell's liquid byte holds
// the kind (bits 6-7) and two levels: `fromRight` (bits 0-2), carried in by liquid spreading
// leftwards from the right neighbour, and `fromLeft` (bits 3-5); a full cell holds 4 in both, and
// a source (flags bit 3) stays full. Liquid falls into open cells below at once, spreads sideways
// losing one level per cell while it rests on something, and two different liquids meeting turn
// the cell into block 82.
//
// The simulator never writes the liquid byte of a flowing cell itself: every change is a BlockEdit
// of kind 18 (liquid arrives) or 19 (leaves), and a meeting is a kind 7 and a kind 6 edit, each
// applied at once through the world's edit sink (`World::edits`), so light, blocks that cannot
// stand in the liquid and the peers follow. Edits that would leave the liquid byte as it is are not made.
//
// Work is proportional to change: only queued cells and the neighbours a change may affect are
// recomputed, each at most once per step; a settled body costs nothing. The sets are index lists
// with a mark byte per cell, reused between steps.
//
// Threads: one thread at a time, never locked. A played world's edits queue cells and its step runs
// on the main thread (its world's liquid timer every 0.3 s); a world being generated or loaded is
// touched only by the world-load thread (the generator settles liquids with `running` set), and is
// handed to the main thread whole.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class MapBlock;
class WorldMap;
struct BlockEdit;

class LiquidSimulator {
 public:
  static constexpr float kStepInterval = 0.3f;

  explicit LiquidSimulator(WorldMap& map);
  LiquidSimulator(const LiquidSimulator&) = delete;
  LiquidSimulator& operator=(const LiquidSimulator&) = delete;

  // Queues a cell for the next step, and schedules the step unless one is scheduled already.
  void queueCell(MapBlock& cell);
  // Sets `running` and schedules `step` on the world's timers every 0.3 s (a map without a world
  // only sets `running`).
  void scheduleStep();
  // The cell's liquid goes away (flags bit 3 and liquid byte cleared directly); its open side
  // neighbours that hold liquid are queued.
  void wakeNeighbours(MapBlock& cell);
  // Makes the cell a full source of the kind through a kind-18 edit and puts it in `pending`
  // without scheduling (the world generator's way in).
  void activateCell(MapBlock& cell, uint8_t kind);
  // Takes the cell out of `pending` (it closed to liquid).
  void forgetCell(MapBlock& cell);
  // One step: takes `pending` and what the last step left in `next`, recomputes those cells and
  // batches the world view's light refreshes into one. With nothing to do it unschedules itself
  // and clears `running`.
  void step();

  // ---- Settling while a world is generated ----
  // Where the edits of a settling run go instead of the world's edit sink: the world generator writes
  // them into its own map only, on its own thread.
  using EditSink = std::function<void(const BlockEdit&)>;
  // Sets `running` (so queued cells wait in `pending` and nothing is scheduled) and sends every edit
  // to the sink until `endSettling`.
  void beginSettling(EditSink sink);
  // One step without the scheduler or the world view; false when there was nothing to do.
  bool settleStep();
  // Back to the world's edit sink and the scheduler; cells still pending wait for the game's first step.
  void endSettling();

  // Open for liquid: the cell exists, its front block is not opaque and it is not block 2090 in
  // variant 1.
  bool isOpenForLiquid(const MapBlock* cell) const;
  bool running() const { return running_; }
  // Cells the next step will look at besides those queued from outside.
  size_t nextCount() const { return next_.size(); }

  // ---- What the world file keeps ----
  // The cells the next step will look at (by cell index): those a step left for the next one,
  // and those queued from outside since.
  std::vector<uint32_t> nextCells() const { return next_; }
  std::vector<uint32_t> pendingCells();
  // A loaded world's queued cells join `pending` without scheduling a step: the game's first
  // step takes them. Indexes outside the map are ignored.
  void restorePending(const std::vector<uint32_t>& cells);

 private:
  static constexpr uint8_t kInActive = 1;
  static constexpr uint8_t kInNext = 2;

  void ensureMarks();
  void takePendingAndNext();
  void recompute(MapBlock& c);
  void requeueAround(MapBlock& c, MapBlock* up, MapBlock* down, MapBlock* left, MapBlock* right,
                     bool fed, int newLeft, int newRight);
  void requeue(MapBlock& cell);
  void apply(const BlockEdit& edit);
  // A recomputed cell whose liquid byte stays as it was needs no edit, but still what the edit
  // would have brought: a dry cell ends the fishing in it, lava burns what stands in it.
  void followUpUnchanged(MapBlock& cell, bool dry);

  WorldMap& map_;
  EditSink sink_;
  bool running_ = false;
  std::vector<uint32_t> pending_;
  std::vector<uint8_t> pendingMark_;
  std::vector<uint32_t> active_;
  std::vector<uint32_t> next_;
  std::vector<uint8_t> stepMark_;
};
