#include "world/circuits/circuit_cells.h"

#include <cstddef>
#include <initializer_list>

#include "world/cells/block_flags.h"
#include "world/cells/block_props.h"
#include "world/cells/cell_refresh.h"
#include "world/cells/map_block.h"
#include "world/circuits/circuit_part.h"
#include "world/circuits/circuit_sides.h"
#include "world/map/world_map.h"

namespace {

constexpr uint8_t kAStateMask = 0x03;
constexpr uint8_t kAKindMask = 0x7C;
constexpr uint8_t kAAnalogBit = 0x80;
constexpr uint8_t kBValueMask = 0x0F;
constexpr uint8_t kBRotationMask = 0x30;
constexpr uint8_t kBSideMask = 0xF0;

bool isAnyOf(uint16_t id, std::initializer_list<uint16_t> ids) {
  for (uint16_t candidate : ids) {
    if (candidate == id) return true;
  }
  return false;
}

}  // namespace

// ---- The bytes of one cell ----

uint8_t signalByte(const MapBlock& cell) {
  const uint8_t analogFlag = (cell.circuitA & kAAnalogBit) != 0 ? circuit_signal::kAnalogFlag : 0;
  return static_cast<uint8_t>((cell.circuitA & kAStateMask) | analogFlag | ((cell.circuitB & kBValueMask) << 3));
}

void setSignalByte(MapBlock& cell, uint8_t signal) {
  const uint8_t analogBit = circuit_signal::isAnalog(signal) ? kAAnalogBit : 0;
  cell.circuitA = static_cast<uint8_t>((cell.circuitA & kAKindMask) | circuit_signal::state(signal) | analogBit);
  cell.circuitB = static_cast<uint8_t>((cell.circuitB & ~kBValueMask) | circuit_signal::analogValue(signal));
}

uint8_t circuitKind(const MapBlock& cell) { return circuit_sides::kindOf(cell); }

void setCircuitKind(MapBlock& cell, uint8_t kind) {
  cell.circuitA = static_cast<uint8_t>((cell.circuitA & ~kAKindMask) | ((kind << 2) & kAKindMask));
}

uint8_t circuitRotation(const MapBlock& cell) { return circuit_sides::rotationOf(cell); }

uint8_t wireSideBits(const MapBlock& cell) { return static_cast<uint8_t>(cell.circuitB >> 4); }

void setWireSideBits(MapBlock& cell, uint8_t sides) {
  cell.circuitB = static_cast<uint8_t>((cell.circuitB & ~kBSideMask) | ((sides & 15) << 4));
}

// ---- Kinds and sides ----

uint8_t circuitKindForBlock(const BlockPropsTable& props, uint16_t blockId) {
  if (props[blockId].has(block_flag::kCircuitOutput)) return circuit_kind::kOutputDevice;
  if (isAnyOf(blockId, {2086, 2094})) return circuit_kind::kSourceBlock;
  if (isAnyOf(blockId, {2084, 2088, 2117})) return circuit_kind::kSensorBlock;
  if (isAnyOf(blockId, {374, 2090, 2095, 2112, 2114, 2116, 2119, 2148})) return circuit_kind::kOutputDevice;
  return circuit_kind::kNone;
}

bool acceptsFrom(const MapBlock* cell, CircuitDir d) { return circuit_sides::accepts(cell, d); }

bool drivesToward(const MapBlock* cell, CircuitDir d) { return circuit_sides::drives(cell, d); }

bool connectsToward(const MapBlock* cell, CircuitDir d) {
  if (cell == nullptr) return false;
  const CircuitPart& part = circuitPart(circuitKind(*cell));
  return ((part.inputs | part.outputs) & circuit_sides::localMask(*cell, part, d)) != 0;
}

// By index in the map's column-major cells: a row up or down is the next or previous cell, a
// column over is a column's height away, and the columns wrap. The flood asks this four times
// for every wire it reaches, so it avoids the general lookup's division.
MapBlock* circuitNeighbour(WorldMap& map, const MapBlock& cell, CircuitDir d) {
  MapBlock* const here = map.cells() + map.indexOf(cell);
  const ptrdiff_t height = map.height();
  const ptrdiff_t lastColumn = static_cast<ptrdiff_t>(map.width() - 1) * height;
  switch (d) {
    case CircuitDir::Up: return cell.y + 1 < map.height() ? here + 1 : nullptr;
    case CircuitDir::Down: return cell.y > 0 ? here - 1 : nullptr;
    case CircuitDir::Right: return cell.x + 1 < map.width() ? here + height : here - lastColumn;
    default: return cell.x > 0 ? here - height : here + lastColumn;
  }
}

uint8_t readSignal(WorldMap& map, const MapBlock& cell, CircuitDir facing) {
  const CircuitDir beyond = opposite(facing);
  // A straight run visits every cell of its row (or column) within this many steps; more means a
  // ring around the wrap.
  const int limit = isHorizontal(beyond) ? map.width() : map.height();
  const MapBlock* current = &cell;
  for (int steps = 0;; ++steps) {
    const uint8_t kind = circuitKind(*current);
    if (kind == circuit_kind::kNone) return circuit_signal::kNone;
    if (kind != circuit_kind::kCrossing) return signalByte(*current);
    if (steps >= limit) return circuit_signal::kNone;
    current = circuitNeighbour(map, *current, beyond);
    if (current == nullptr) return circuit_signal::kNone;
  }
}

// ---- Wires ----

void refreshWireBits(CellRefresh& refresh, WorldMap& map, const MapBlock& cell) {
  for (CircuitDir d : kCircuitDirs) {
    MapBlock* neighbour = circuitNeighbour(map, cell, d);
    if (neighbour == nullptr || circuitKind(*neighbour) != circuit_kind::kWire) continue;
    const uint8_t facing = sideBit(opposite(d));
    const uint8_t before = wireSideBits(*neighbour);
    const uint8_t after = connectsToward(&cell, d) ? (before | facing) : (before & ~facing);
    if (after == before) continue;
    map.markChanged(*neighbour);
    setWireSideBits(*neighbour, after);
    refresh.refreshCell(*neighbour);
  }
}

void computeOwnWireBits(WorldMap& map, MapBlock& cell) {
  if (circuitKind(cell) != circuit_kind::kWire) return;
  map.markChanged(cell);
  uint8_t sides = 0;
  for (CircuitDir d : kCircuitDirs) {
    const MapBlock* neighbour = circuitNeighbour(map, cell, d);
    if (neighbour == nullptr || circuitKind(*neighbour) == circuit_kind::kNone) continue;
    if (connectsToward(neighbour, opposite(d))) sides |= sideBit(d);
  }
  setWireSideBits(cell, sides);
}

void placePlainWire(CellRefresh& refresh, WorldMap& map, MapBlock& cell) {
  map.markChanged(cell);
  setCircuitKind(cell, circuit_kind::kWire);
  setWireSideBits(cell, 0);
  computeOwnWireBits(map, cell);
  refreshWireBits(refresh, map, cell);
  refresh.refreshCell(cell);
}

void placeConnectorWire(CellRefresh& refresh, MapBlock& cell) {
  setCircuitKind(cell, circuit_kind::kConnectorWire);
  refresh.refreshCell(cell);
}

void turnCircuitPart(MapBlock& cell) {
  const uint8_t rotation = static_cast<uint8_t>((circuitRotation(cell) + 1) & 3);
  cell.circuitB = static_cast<uint8_t>((cell.circuitB & ~kBRotationMask) | (rotation << 4));
}

uint8_t initialSignalForBlock(const BlockPropsTable& props, const MapBlock& cell, uint16_t blockId,
                              uint32_t darkness) {
  if (props[blockId].has(block_flag::kCircuitOutput) || isAnyOf(blockId, {2084, 2086, 2088})) {
    return circuit_signal::kLow;
  }
  if (blockId == 2094) return circuit_signal::analog(0);
  if (blockId == 2117) return circuit_signal::analog(cell.lightLevel(darkness));
  return circuit_signal::kNone;
}
