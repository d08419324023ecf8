// CircuitSystem::evaluateCell: a component's new output from its inputs. A turnable part's local
// side s faces world direction (s + rotation) mod 4; an input is present when the neighbour there
// exists and drives toward the part, and reads as that neighbour's signal (through crossings).

#include "world/circuits/circuit_system.h"

#include <algorithm>
#include <optional>

#include "world/cells/map_block.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"
#include "world/map/world_map.h"

namespace ck = circuit_kind;
namespace cs = circuit_signal;

namespace {

uint8_t memoryBits(const MapBlock& cell) { return static_cast<uint8_t>(cell.circuitB >> 6); }
void setMemoryBits(MapBlock& cell, uint8_t m) {
  cell.circuitB = static_cast<uint8_t>((cell.circuitB & 0x3F) | ((m & 3) << 6));
}

uint8_t invert(uint8_t v) {
  if (cs::isAnalog(v)) return cs::analog(static_cast<uint8_t>(15 - cs::analogValue(v)));
  if (cs::state(v) == cs::kLow) return cs::kHigh;
  if (cs::state(v) == cs::kHigh) return cs::kLow;
  return cs::state(v);
}

bool high(uint8_t v) { return cs::state(v) == cs::kHigh; }

uint8_t bufferOf(uint8_t v) {
  if (cs::state(v) == cs::kConflict) return cs::kConflict;
  if (cs::isAnalog(v)) return cs::analog(cs::analogValue(v));
  return cs::state(v);
}

uint8_t andOf(uint8_t a, uint8_t b) {
  if (cs::isAnalog(a) && cs::isAnalog(b)) return cs::analog(cs::analogValue(a) & cs::analogValue(b));
  if (cs::state(a) == cs::kLow || cs::state(b) == cs::kLow) return cs::kLow;
  if (high(a) && high(b)) return cs::kHigh;
  return cs::state(b) != 0 ? cs::kConflict : cs::kNone;
}

uint8_t orOf(uint8_t a, uint8_t b) {
  if (cs::isAnalog(a) && cs::isAnalog(b)) return cs::analog(cs::analogValue(a) | cs::analogValue(b));
  if (high(a) || high(b)) return cs::kHigh;
  if (cs::state(a) == cs::kLow && cs::state(b) == cs::kLow) return cs::kLow;
  return (cs::state(a) != 0 || cs::state(b) != 0) ? cs::kConflict : cs::kNone;
}

uint8_t xorOf(uint8_t a, uint8_t b) {
  if (cs::isAnalog(a) && cs::isAnalog(b)) return cs::analog(cs::analogValue(a) ^ cs::analogValue(b));
  if (cs::state(a) == cs::kConflict || cs::state(b) == cs::kConflict) return cs::kConflict;
  return high(a) != high(b) ? cs::kHigh : cs::kLow;
}

uint8_t operationOf(uint8_t op, uint8_t a, uint8_t b) {
  if (!cs::isAnalog(a) || !cs::isAnalog(b)) return cs::kNone;
  const int va = cs::analogValue(a), vb = cs::analogValue(b);
  switch (op) {
    case 0: return va == vb ? cs::kHigh : cs::kLow;
    case 1: return vb > va ? cs::kHigh : cs::kLow;
    case 2: return cs::analog(static_cast<uint8_t>(std::min(va + vb, 15)));
    default: return cs::analog(static_cast<uint8_t>(std::max(vb - va, 0)));
  }
}

// The 8-bit table's index from three inputs, digital or analog.
uint8_t truthIndex(uint8_t i0, uint8_t i1, uint8_t i2) {
  const bool a0 = cs::isAnalog(i0), a1 = cs::isAnalog(i1), a2 = cs::isAnalog(i2);
  uint8_t index = 0;
  if (a0) index = cs::analogValue(i0);
  if (a1) index |= cs::analogValue(i1);
  if (a2) index = static_cast<uint8_t>((index & ~8) | (cs::analogValue(i2) & 7));
  if (!a0 && !a1 && !a2) index = static_cast<uint8_t>((high(i0) ? 1 : 0) | (high(i1) ? 2 : 0) | (high(i2) ? 4 : 0));
  if ((a0 || a1) && !a2) index &= static_cast<uint8_t>(~8);
  return index;
}

}  // namespace

namespace {

// What the simulation needs to read a part's inputs.
struct PartView {
  WorldMap& map;
  MapBlock& cell;

  CircuitDir world(uint8_t side) const {
    const int turn = circuitPart(circuitKind(cell)).turnable != 0 ? circuitRotation(cell) : 0;
    return turned(static_cast<CircuitDir>(side & 3), turn);
  }
  MapBlock* neighbour(uint8_t side) const { return circuitNeighbour(map, cell, world(side)); }
  bool drives(uint8_t side) const { return drivesToward(neighbour(side), opposite(world(side))); }
  uint8_t read(uint8_t side) const { return readSignal(map, *neighbour(side), opposite(world(side))); }
  // The signal at the side when its neighbour drives toward the part.
  std::optional<uint8_t> input(uint8_t side) const {
    if (!drives(side)) return std::nullopt;
    return read(side);
  }
};

}  // namespace

void CircuitSystem::evaluateCell(MapBlock& cell) {
  map_.markChanged(cell);  // its output, memory or device state may change
  const PartView part{map(), cell};
  const uint8_t kind = circuitKind(cell);
  switch (kind) {
    case ck::kConstantHigh:
    case ck::kConstantLow:
      cell.circuitA = static_cast<uint8_t>((cell.circuitA & ~cs::kStateMask) |
                                           (kind == ck::kConstantHigh ? cs::kHigh : cs::kLow));
      sendAll(cell);
      return;
    case ck::kClock: {
      const bool wasHigh = high(signalByte(cell));
      replaceState(cell, wasHigh ? cs::kLow : cs::kHigh, true);
      return;
    }
    case ck::kBuffer:
    case ck::kNot: {
      const std::optional<uint8_t> in = part.input(2);
      const uint8_t result = in ? bufferOf(*in) : cs::kNone;
      setOutput(cell, kind == ck::kNot ? invert(result) : result);
      return;
    }
    case ck::kAnd: case ck::kOr: case ck::kXor: case ck::kNand: case ck::kNor: case ck::kXnor: {
      const std::optional<uint8_t> a = part.input(1), b = part.input(3);
      if (!a || !b) return;
      uint8_t result = kind == ck::kAnd || kind == ck::kNand ? andOf(*a, *b)
                       : kind == ck::kOr || kind == ck::kNor ? orOf(*a, *b)
                                                             : xorOf(*a, *b);
      if (kind >= ck::kNand) result = invert(result);
      setOutput(cell, result);
      return;
    }
    case ck::kCrossing:
      onWireAdded(cell);
      return;
    case ck::kOutputDevice: {
      uint8_t inputs[4];
      for (CircuitDir d : kCircuitDirs) {
        const MapBlock* n = circuitNeighbour(map(), cell, d);
        inputs[dirIndex(d)] = drivesToward(n, opposite(d)) ? readSignal(map(), *n, opposite(d)) : cs::kNone;
      }
      runOutputDevice(cell, inputs);
      return;
    }
    case ck::kDFlipFlop:
    case ck::kJkFlipFlop: {
      const bool jk = kind == ck::kJkFlipFlop;
      const bool connected = part.drives(3) && part.drives(0) && (jk ? part.drives(2) : part.neighbour(2) != nullptr);
      if (!connected) {
        setMemoryBits(cell, 0);
        setOutput(cell, cs::kNone);
        return;
      }
      const uint8_t m = memoryBits(cell);
      const uint8_t c = cs::state(part.read(3));
      if ((m == 0 || m == 2) && c == cs::kLow) {
        setMemoryBits(cell, 1);
      } else if (m == 1 && c == cs::kHigh) {
        setMemoryBits(cell, 2);
        if (jk) {
          const uint8_t j = part.read(0), k = part.read(2);
          uint8_t next = cs::kNone;
          if (high(j) && !high(k)) next = static_cast<uint8_t>((j & ~cs::kStateMask) | cs::kHigh);
          else if (high(k) && !high(j)) next = static_cast<uint8_t>((k & ~cs::kStateMask) | cs::kLow);
          else if (high(j) && high(k)) next = high(signalByte(cell)) ? cs::kLow : cs::kHigh;
          if (cs::state(signalByte(cell)) != 0) withdrawOutput(cell, true);
          setSignalByte(cell, next);
          sendAll(cell);
          return;
        }
        const bool enabled = !part.drives(2) || high(part.read(2));
        if (!enabled) return;
        if (cs::state(signalByte(cell)) != 0) withdrawOutput(cell, true);
        const uint8_t data = part.read(0);
        if (cs::state(data) == cs::kLow || cs::state(data) == cs::kHigh) setSignalByte(cell, data);
        sendAll(cell);
      } else if (m == 1 && c == cs::kLow) {
        // waiting for the rising edge
      } else if (c == cs::kConflict || c == cs::kNone) {
        setMemoryBits(cell, 0);
      }
      return;
    }
    case ck::kGateSwitch: {
      const std::optional<uint8_t> data = part.input(2), enable = part.input(1);
      if (!data || !enable) return;
      if (high(*enable)) {
        setOutput(cell, *data);
        return;
      }
      if (cs::state(signalByte(cell)) != 0) withdrawOutput(cell, true);
      setSignalByte(cell, cs::kNone);
      return;
    }
    case ck::kOperationalUnit: {
      const std::optional<uint8_t> a = part.input(1), b = part.input(3);
      if (!a || !b) return;
      setOutput(cell, operationOf(memoryBits(cell), *a, *b));
      return;
    }
    case ck::kTruthTable: {
      uint8_t state = cs::kNone;
      if (part.neighbour(1) != nullptr && part.neighbour(2) != nullptr && part.neighbour(3) != nullptr) {
        const CircuitRecord* record = findMemory(cell);
        const uint8_t table = record != nullptr ? static_cast<uint8_t>(record->value) : 0;
        const uint8_t index = truthIndex(part.read(1), part.read(2), part.read(3));
        state = index < 8 && ((table >> index) & 1) != 0 ? cs::kHigh : cs::kLow;
      }
      if (state != cs::state(signalByte(cell))) replaceState(cell, state, true);
      return;
    }
    case ck::kBitToAnalog: {
      const std::optional<uint8_t> a = part.input(3), b = part.input(2);
      const uint8_t bit = static_cast<uint8_t>(1u << memoryBits(cell));
      const uint8_t fromA = a && high(*a) ? bit : 0;
      const uint8_t fromB = b && cs::isAnalog(*b) ? cs::analogValue(*b) : 0;
      uint8_t result = cs::kNone;
      if (a) result = cs::analog(static_cast<uint8_t>(fromA | fromB));
      else if (b) result = cs::isAnalog(*b) ? cs::analog(fromB) : cs::kNone;
      setOutput(cell, result);
      return;
    }
    case ck::kAnalogToBit: {
      const std::optional<uint8_t> in = part.input(2);
      uint8_t state = cs::kNone;
      if (in && cs::isAnalog(*in)) state = ((cs::analogValue(*in) >> memoryBits(cell)) & 1) != 0 ? cs::kHigh : cs::kLow;
      if (state != cs::state(signalByte(cell))) replaceState(cell, state, state != cs::kNone);
      return;
    }
    default:
      return;  // wires, sources, sensors and the shift register are not evaluated
  }
}
