#pragma once
// The world's circuit simulation. It owns no cells: parts, wires and signals live in the circuit
// bytes of the map's cells. The world's edits tell it about placed, removed, turned and configured
// parts; it queues those changes, and a timed task (the world's circuit timer, every 0.02 s, only
// while anything is pending) steps it: timed parts tick (every second step), components whose
// inputs changed are evaluated in at most 32 passes, new outputs flood along the wires (20 wires
// deep when setting, 40 when clearing, with the drivers that still feed a cleared wire sending
// again), output devices act on the world through block edits handed to the world's rules, and
// changed cells are redrawn.
//
// The world file and the world transfer keep four structures: the dirty set, the producer change
// queue, the timer list and the device memory (accessors below, cells by column and row).
//
// Threads: one thread at a time, never locked. The world's edits queue changes and the step runs on
// the main thread; a world being loaded is restored on the world-load thread before it is handed
// to the main thread.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "world/circuits/cell_depths.h"
#include "world/circuits/cell_set.h"
#include "world/circuits/circuit_dir.h"
#include "world/circuits/visited_cells.h"
#include "world/light/lamp_colours.h"

class MapBlock;
class World;
class WorldMap;

namespace circuit_op {
constexpr uint8_t kWireAdded = 0;
constexpr uint8_t kWireCut = 1;
constexpr uint8_t kPartPlaced = 2;
constexpr uint8_t kPartRemoved = 3;
constexpr uint8_t kTurn = 4;
constexpr uint8_t kSetSignal = 5;
constexpr uint8_t kEvaluate = 6;
}  // namespace circuit_op

struct CircuitChange {
  uint8_t operation = 0;
  MapBlock* cell = nullptr;
  uint8_t value = 0;
};

struct CircuitTimer {
  MapBlock* cell = nullptr;
  uint16_t countdown = 0;
  uint16_t period = 0;
};

// The 6-byte record of a device's memory and of the configurator (tag, reserved, value, second
// value); a new record is all zero.
struct CircuitRecord {
  uint8_t tag = 0;
  uint8_t reserved = 0;
  uint16_t value = 0;
  uint16_t second = 0;

  bool operator==(const CircuitRecord&) const = default;
};

namespace circuit_tag {
constexpr uint8_t kClock = 0;
constexpr uint8_t kShiftRegister = 1;
constexpr uint8_t kTruthTable = 2;
constexpr uint8_t kOperationalUnit = 3;
constexpr uint8_t kAnalogSource = 4;
constexpr uint8_t kDispenser = 5;
constexpr uint8_t kAnalogToBit = 6;
constexpr uint8_t kBitToAnalog = 7;
constexpr uint8_t kToneEmitter = 8;
constexpr uint8_t kLast = kToneEmitter;
}  // namespace circuit_tag

// It is also where the light map finds the colours of coloured lamps.
class CircuitSystem final : public LampColours {
 public:
  static constexpr float kStepInterval = 0.02f;
  static constexpr int kMaxPasses = 32;

  explicit CircuitSystem(World& world);
  ~CircuitSystem() override = default;
  CircuitSystem(const CircuitSystem&) = delete;
  CircuitSystem& operator=(const CircuitSystem&) = delete;

  // ---- What the world's edits report (host and clients alike) ----
  // A part of the kind joins the cell; `blockId` is the block that made it (for the starting
  // signal of sources and sensors and a sensor's timer period).
  void onBlockPlaced(MapBlock& cell, uint8_t kind, uint16_t blockId = 0);
  void onBlockRemoved(MapBlock& cell);
  void onPartTurned(MapBlock& cell);
  // A source's signal is set (queued unless the cell already carries it).
  void setCellConfig(MapBlock& cell, uint8_t signal);
  void applyCellConfig(MapBlock& cell, const CircuitRecord& record);
  // The configurator record of a configurable cell; the all-zero record for any other cell.
  CircuitRecord getCellConfig(const MapBlock& cell) const;

  // ---- The timed step ----
  void scheduleStep();
  void step();
  bool pending() const;

  // ---- What the saves keep ----
  std::vector<MapBlock*> dirtyCells() const { return dirty_.members(); }
  std::vector<CircuitChange> pendingChanges() const;
  const std::vector<CircuitTimer>& timers() const { return timers_; }
  const std::unordered_map<MapBlock*, CircuitRecord>& deviceMemory() const { return memory_; }
  // Restoring a loaded (or received) world: the four structures replace what the system held,
  // and the system is pending when any work came with them; the game schedules the step when it
  // starts.
  void restore(const std::vector<MapBlock*>& dirty, const std::vector<CircuitChange>& changes,
               const std::vector<CircuitTimer>& timers,
               const std::unordered_map<MapBlock*, CircuitRecord>& memory);

  // The device record of a cell, made (all zero) on first use; erased with the cell's part.
  CircuitRecord& memoryAt(MapBlock& cell) { return memory_[&cell]; }
  const CircuitRecord* findMemory(const MapBlock& cell) const;
  // The stored colour of a coloured lamp (0 when none).
  uint16_t lampColourAt(const MapBlock& cell) const override;

  // ---- Signal moves (also used by the rules and devices) ----
  void evaluateCell(MapBlock& cell);
  void sendOutput(MapBlock& cell, CircuitDir d, bool clearing);
  void sendAll(MapBlock& cell);
  void withdrawOutput(MapBlock& cell, bool redrive);
  void setOutput(MapBlock& cell, uint8_t signal);
  // Withdraws (with redrive) when the cell drives anything, writes the state bits only, and sends
  // in all four directions when `send`.
  void replaceState(MapBlock& cell, uint8_t state, bool send);

  WorldMap& map() const { return map_; }
  World& world() const { return world_; }

 private:
  struct FloodEntry {
    MapBlock* cell;
    uint32_t depth;
  };

  void queueChange(MapBlock& cell, uint8_t operation, uint8_t value);
  void runChange(const CircuitChange& change);
  void runTimers();
  void runTimedEvaluation(MapBlock& cell);
  void partPlaced(MapBlock& cell, uint8_t kind);
  void partRemoved(MapBlock& cell);
  void turnPart(MapBlock& cell);
  void setSignal(MapBlock& cell, uint8_t signal);
  void addTimer(MapBlock& cell);
  void dropTimer(const MapBlock& cell);
  CircuitTimer* timerAt(const MapBlock& cell);
  const CircuitTimer* timerAt(const MapBlock& cell) const;
  void redrawChanged();
  void toggleInRun(MapBlock& cell);
  void flushRun();

  // Flood (circuit_flood.cpp)
  MapBlock* neighbourPast(const MapBlock& cell, CircuitDir d) const;
  void floodWires(MapBlock& start, uint8_t value, bool clearing);
  void runFlood(uint8_t value, bool clearing);
  void withdrawTogether();
  void resetFlood();
  void redriveAll();
  bool pruning(bool clearing, uint8_t value) const;
  bool reachedBefore(MapBlock& wire, uint8_t value, uint32_t depth);
  void onWireCut(MapBlock& cell);
  void onWireAdded(MapBlock& cell);

  // Devices (circuit_devices.cpp)
  uint8_t readSensor(MapBlock& cell);
  uint8_t pressurePlate(MapBlock& cell);
  void shiftRegisterStep(MapBlock& cell);
  void runOutputDevice(MapBlock& cell, const uint8_t inputs[4]);
  void colouredLamp(MapBlock& cell, const uint8_t inputs[4]);
  void numberDisplay(MapBlock& cell, const uint8_t inputs[4]);
  void launcher(MapBlock& cell, bool anyHigh);
  void dispenser(MapBlock& cell, const uint8_t inputs[4]);
  void piston(MapBlock& cell, bool anyHigh);
  void toneEmitter(MapBlock& cell, const uint8_t inputs[4]);

  World& world_;
  WorldMap& map_;
  CellSet dirty_;
  CellSet redrive_;
  VisitedCells visited_;
  CellSet changed_;
  std::vector<MapBlock*> pass_;
  std::vector<FloodEntry> flood_;
  std::vector<CircuitTimer> timers_;
  std::vector<CircuitChange> producer_;
  std::vector<CircuitChange> processing_;
  std::unordered_map<MapBlock*, CircuitRecord> memory_;
  uint8_t pending_ = 0;
  uint8_t stepCounter_ = 2;
  // Clocks toggling in one timer phase, with the signals they sent before.
  struct Withdrawal {
    MapBlock* cell;
    uint8_t signal;
  };
  std::vector<Withdrawal> withdrawing_;
  bool inRun_ = false;
  bool prune_ = false;  // set while a redrive runs
  CellDepths reach_;  // wires passed by the pruned walks of a run
  std::vector<MapBlock*> redriving_;
};

// The configurator tag of the part in the cell (clocks, shift registers, truth tables, operational
// units, bit converters, the analog source, the dispenser and the tone emitter); none for a cell
// without settings. A setting of any other tag is not the cell's: it would write one device's
// memory into another's (a tone word as a coloured lamp's colour) or bits into a plain wire.
std::optional<uint8_t> circuitSettingTag(const MapBlock& cell);
// Whether the cell holds a part with settings.
bool isConfigurableCircuitCell(const MapBlock& cell);
