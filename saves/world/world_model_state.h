#pragma once
// The parts of the world model's running state that the world file keeps, taken out of the
// world and put back in their saved form: the circuit system's four structures and the cells of
// the explosions still waiting for their fuse. Main thread (or the thread that owns the world).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "saves/world/world_records.h"

class World;

struct CircuitChangeRecord {
  CellPos cell;
  uint8_t operation = 0;
  bool operator==(const CircuitChangeRecord&) const = default;
};

struct CircuitTimerRecord {
  CellPos cell;
  uint16_t countdown = 0;
  uint16_t period = 0;
  bool operator==(const CircuitTimerRecord&) const = default;
};

// A device's 6-byte memory as the file splits it: the first four bytes as one word, the last two.
struct CircuitMemoryRecord {
  CellPos cell;
  uint32_t word = 0;
  uint16_t second = 0;
  bool operator==(const CircuitMemoryRecord&) const = default;
};

struct CircuitState {
  std::vector<CellPos> dirty;
  std::vector<CircuitChangeRecord> changes;
  std::vector<CircuitTimerRecord> timers;
  std::vector<CircuitMemoryRecord> memory;
  bool operator==(const CircuitState&) const = default;
};

CircuitState captureCircuits(World& world);
// Replaces what the circuit system held. The file keeps one byte per queued change, the
// operation: a placed part takes its kind again from its cell, and a source's new signal, which
// the byte cannot hold as well, becomes a fresh evaluation of the cell.
void restoreCircuits(World& world, const CircuitState& state);

// The cells (by index) of the explosions waiting for their fuse: their lit charges are saved as
// unlit ones, so a world loaded later does not hold a charge that no fuse will ever set off.
std::vector<size_t> waitingChargeCells(World& world);
