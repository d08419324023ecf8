#pragma once
// The world's circuit simulation, as far as the world container and its edits reach it: a cell
// joins the circuits with its component kind written into its circuit bits, leaves them with its
// circuit bits cleared, and edits and device settings wait in the system's queues for its step.
// The step itself (signals, timers, devices) is the simulation's own and runs on the main thread.
//
// The change queue and its pending flag are locked: the step may be scheduled from a timer.

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

class MapBlock;
class World;

struct CircuitChange {
  uint8_t operation = 0;
  size_t cellIndex = 0;
  uint32_t value = 0;
};

using CircuitSetting = std::array<uint8_t, 6>;

class CircuitSystem {
 public:
  static constexpr uint8_t kEditChange = 4;

  explicit CircuitSystem(World& world);

  // The cell becomes a component of the kind (0 leaves it without one); its signal starts clear.
  void registerCell(MapBlock& cell, uint8_t kind);
  // The cell leaves the circuits: both circuit bytes cleared, its setting and queued changes
  // dropped.
  void forgetCell(MapBlock& cell);
  void queueChange(MapBlock& cell, uint8_t operation, uint32_t value);
  void setCellSetting(MapBlock& cell, const CircuitSetting& setting);

  const CircuitSetting* settingAt(const MapBlock& cell) const;
  std::vector<CircuitChange> pendingChanges() const;

 private:
  size_t indexOf(const MapBlock& cell) const;

  World& world_;
  mutable std::mutex changeMutex_;
  std::vector<CircuitChange> changes_;
  std::unordered_map<size_t, CircuitSetting> settings_;
};
