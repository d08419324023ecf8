#pragma once
// The side tests of a cell's circuit part, inline for the simulation's hot walks (a flood asks
// them several times for every wire it reaches); `acceptsFrom`, `drivesToward` and the other
// named tests of circuit_cells.h are these. Main thread only.

#include <cstdint>

#include "world/cells/map_block.h"
#include "world/circuits/circuit_dir.h"
#include "world/circuits/circuit_part.h"

namespace circuit_sides {

inline uint8_t kindOf(const MapBlock& cell) { return static_cast<uint8_t>((cell.circuitA & 0x7C) >> 2); }
inline uint8_t rotationOf(const MapBlock& cell) { return static_cast<uint8_t>((cell.circuitB & 0x30) >> 4); }

// The part's own side mask for world direction d: rotation undone for turnable parts, a connector
// wire limited to the sides it really has.
inline uint8_t localMask(const MapBlock& cell, const CircuitPart& part, CircuitDir d) {
  const CircuitDir local = part.turnable != 0 ? turned(d, -static_cast<int>(rotationOf(cell))) : d;
  uint8_t mask = sideBit(local);
  if (part.kind == circuit_kind::kConnectorWire) mask &= static_cast<uint8_t>(cell.circuitB >> 4);
  return mask;
}

inline bool accepts(const MapBlock* cell, CircuitDir d) {
  if (cell == nullptr) return false;
  const CircuitPart& part = circuitPart(kindOf(*cell));
  return (part.inputs & localMask(*cell, part, d)) != 0;
}

inline bool drives(const MapBlock* cell, CircuitDir d) {
  if (cell == nullptr) return false;
  const CircuitPart& part = circuitPart(kindOf(*cell));
  return (part.outputs & localMask(*cell, part, d)) != 0;
}

}  // namespace circuit_sides
