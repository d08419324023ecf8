#pragma once
// Water, lava and acid flowing over the cells of a map in timed steps. The simulator never writes
// a liquid byte of a flowing cell itself: every change is an edit applied through the current
// game, so light, dependent blocks and peers follow.

#include <cstdint>
#include <mutex>
#include <unordered_set>

class MapBlock;
class WorldMap;

class LiquidSimulator {
 public:
  explicit LiquidSimulator(WorldMap& map);
  ~LiquidSimulator();
  LiquidSimulator(const LiquidSimulator&) = delete;
  LiquidSimulator& operator=(const LiquidSimulator&) = delete;

  // Queues a cell for the next step (under the lock while a step is scheduled).
  void queueCell(MapBlock& cell);
  // The cell's liquid goes away; its neighbours holding liquid are queued.
  void wakeNeighbours(MapBlock& cell);
  // Removes a cell from every queue (it closed to liquid).
  void forgetCell(MapBlock& cell);
  bool running() const { return running_; }

 private:
  WorldMap& map_;
  bool running_ = false;
  std::mutex pendingMutex_;
  std::unordered_set<MapBlock*> pending_;
};
