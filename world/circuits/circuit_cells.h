#pragma once
// What the two circuit bytes of a cell mean and the side tests built on them.
//
//   circuitA bits 0-1 signal state, bits 2-6 component kind, bit 7 analog flag
//   circuitB bits 0-3 analog value, bits 4-5 rotation of a turnable part, bits 4-7 the side bits of
//            a wire (drawn sides of a plain wire, real sides of a connector wire), bits 6-7 a
//            device's 2-bit memory or setting
//
// The simulation handles a cell's signal as one byte: state in bits 0-1 (0 undriven, 1 low, 2 high,
// 3 conflict), analog flag in bit 2 (then the state is high), analog value in bits 3-6. Reading and
// writing it touches exactly those bits of the two circuit bytes.
//
// Neighbours come from the map the caller passes (x wraps, no cell beyond the top or bottom row);
// a missing cell never connects. Redraws go through the cell refresh seam. Main thread only.

#include <cstdint>

#include "world/circuits/circuit_dir.h"

class BlockPropsTable;
class CellRefresh;
class MapBlock;
class WorldMap;

namespace circuit_signal {
constexpr uint8_t kNone = 0;
constexpr uint8_t kLow = 1;
constexpr uint8_t kHigh = 2;
constexpr uint8_t kConflict = 3;
constexpr uint8_t kStateMask = 0x03;
constexpr uint8_t kAnalogFlag = 0x04;

constexpr uint8_t state(uint8_t signal) { return signal & kStateMask; }
constexpr bool isAnalog(uint8_t signal) { return (signal & kAnalogFlag) != 0; }
constexpr uint8_t analogValue(uint8_t signal) { return (signal >> 3) & 15; }
constexpr uint8_t analog(uint8_t value) { return static_cast<uint8_t>(kHigh | kAnalogFlag | ((value & 15) << 3)); }
}  // namespace circuit_signal

// ---- The bytes of one cell ----
uint8_t signalByte(const MapBlock& cell);
void setSignalByte(MapBlock& cell, uint8_t signal);
uint8_t circuitKind(const MapBlock& cell);
void setCircuitKind(MapBlock& cell, uint8_t kind);
uint8_t circuitRotation(const MapBlock& cell);
uint8_t wireSideBits(const MapBlock& cell);
void setWireSideBits(MapBlock& cell, uint8_t sides);

// ---- Kinds and sides ----
// The kind a placed block gives its cell: 17 for any block with the circuit-output flag, else
// fixed by block id (0 for a block that is no component).
uint8_t circuitKindForBlock(const BlockPropsTable& props, uint16_t blockId);
// Side tests toward world direction d, with the part's rotation and a connector wire's own sides
// applied; a null cell never connects.
bool acceptsFrom(const MapBlock* cell, CircuitDir d);
bool drivesToward(const MapBlock* cell, CircuitDir d);
bool connectsToward(const MapBlock* cell, CircuitDir d);
MapBlock* circuitNeighbour(WorldMap& map, const MapBlock& cell, CircuitDir d);

// The signal the cell presents on its side `facing` (the side toward the reader). A crossing
// passes on what lies straight beyond it; a run of crossings is walked at most the map's width (or
// height) cells, so a ring of crossings around the wrap reads as no signal.
uint8_t readSignal(WorldMap& map, const MapBlock& cell, CircuitDir facing);

// ---- Wires ----
// Sets or clears, on each plain-wire neighbour, the side bit facing this cell by whether this cell
// connects toward it; the neighbours that changed are redrawn through `refresh`.
void refreshWireBits(CellRefresh& refresh, WorldMap& map, const MapBlock& cell);
// A plain wire's own side bits: set toward each neighbour that holds a part connecting back.
void computeOwnWireBits(WorldMap& map, MapBlock& cell);
// Kind 1 with the signal kept, its own sides computed, the neighbours' sides refreshed, redrawn.
void placePlainWire(CellRefresh& refresh, WorldMap& map, MapBlock& cell);
// Kind 2, redrawn; its sides are chosen elsewhere and only read here.
void placeConnectorWire(CellRefresh& refresh, MapBlock& cell);
// A quarter turn: rotation bits 4-5 + 1 modulo 4, for every kind.
void turnCircuitPart(MapBlock& cell);

// The signal a cell starts with when a block makes it a component; `darkness` is the world's, for
// the light sensor's reading.
uint8_t initialSignalForBlock(const BlockPropsTable& props, const MapBlock& cell, uint16_t blockId,
                              uint32_t darkness);
