// CircuitSystem: how signals move. A component's output floods breadth first along the wires it
// drives; wires combine their drivers by OR, so clearing one driver's bits takes the others' too,
// and every driver met at the edge of a cleared region (the redrive set) sends again. Setting
// writes at most 20 wires from the driver; clearing looks 40 deep so that a shared wire is found
// from either end.

#include "world/circuits/circuit_system.h"

#include <algorithm>

#include "world/cells/map_block.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"
#include "world/circuits/circuit_sides.h"
#include "world/map/world_map.h"

namespace ck = circuit_kind;
namespace cs = circuit_signal;

namespace {

constexpr uint32_t kWriteDepth = 20;
constexpr uint32_t kClearDepth = 40;
constexpr uint8_t kAnalogBitA = 0x80;
constexpr uint8_t kValueMaskB = 0x0F;

bool isWire(uint8_t kind) { return kind == ck::kWire || kind == ck::kConnectorWire || kind == ck::kCrossing; }
bool isComponent(uint8_t kind) { return kind >= ck::kConstantHigh && kind != ck::kCrossing; }

// A wire's signal bits ORed with the value's, or the value's bits taken out of them.
void mergeSignal(MapBlock& wire, uint8_t value, bool clearing) {
  if (clearing) {
    wire.circuitA = static_cast<uint8_t>(wire.circuitA & ~(cs::state(value) | kAnalogBitA));
    wire.circuitB = static_cast<uint8_t>(wire.circuitB & ~kValueMaskB);
    return;
  }
  const uint8_t analog = cs::isAnalog(value) ? kAnalogBitA : 0;
  wire.circuitA = static_cast<uint8_t>(wire.circuitA | cs::state(value) | analog);
  wire.circuitB = static_cast<uint8_t>(wire.circuitB | cs::analogValue(value));
}

}  // namespace

// The neighbour in direction d, stepping over crossings (at most a row's or column's length, so a
// ring of crossings around the wrap ends).
MapBlock* CircuitSystem::neighbourPast(const MapBlock& cell, CircuitDir d) const {
  WorldMap& m = map();
  const int limit = isHorizontal(d) ? m.width() : m.height();
  MapBlock* n = circuitNeighbour(m, cell, d);
  for (int steps = 0; n != nullptr && circuit_sides::kindOf(*n) == ck::kCrossing; ++steps) {
    if (steps >= limit) return nullptr;
    n = circuitNeighbour(m, *n, d);
  }
  return n;
}

void CircuitSystem::resetFlood() {
  flood_.clear();
  visited_.reset(map().width());
}

void CircuitSystem::sendOutput(MapBlock& cell, CircuitDir d, bool clearing) {
  if (!circuit_sides::drives(&cell, d)) return;
  MapBlock* n = neighbourPast(cell, d);
  if (n == nullptr || !circuit_sides::accepts(n, opposite(d))) return;
  if (!isWire(circuit_sides::kindOf(*n))) {
    dirty_.insert(n);
    return;
  }
  floodWires(*n, signalByte(cell), clearing);
}

void CircuitSystem::sendAll(MapBlock& cell) {
  resetFlood();
  for (CircuitDir d : kCircuitDirs) sendOutput(cell, d, false);
}

void CircuitSystem::floodWires(MapBlock& start, uint8_t value, bool clearing) {
  flood_.clear();
  visited_.insert(&start);
  flood_.push_back({&start, 1});
  runFlood(value, clearing);
}

// Breadth first from the wires already in the flood queue (depth 1 each).
void CircuitSystem::runFlood(uint8_t value, bool clearing) {
  const uint32_t limit = clearing ? kClearDepth : kWriteDepth;
  for (size_t head = 0; head < flood_.size(); ++head) {
    MapBlock& w = *flood_[head].cell;
    const uint32_t depth = flood_[head].depth;
    if (pruning(clearing, value) && reachedBefore(w, value, depth)) continue;
    if (depth <= kWriteDepth) {
      const uint8_t before = signalByte(w);
      map_.markChanged(w);
      mergeSignal(w, value, clearing);
      if (signalByte(w) != before) changed_.insert(&w);
    }
    if (depth >= limit) continue;
    for (CircuitDir d : kCircuitDirs) {
      MapBlock* n = neighbourPast(w, d);
      if (n == nullptr) continue;
      const uint8_t kind = circuit_sides::kindOf(*n);
      if (circuit_sides::accepts(n, opposite(d)) && circuit_sides::drives(&w, d)) {
        if (!isWire(kind)) {
          dirty_.insert(n);
        } else if (visited_.insert(n)) {
          flood_.push_back({n, depth + 1});
        }
      } else if (clearing && isComponent(kind) && circuit_sides::drives(n, opposite(d)) && circuit_sides::accepts(&w, d)) {
        redrive_.insert(n);
      }
    }
  }
  flood_.clear();
}

// Within one redrive a walk may stop at a wire that an earlier walk of the redrive already passed
// with the same state bits from no deeper: OR-ing them again changes nothing, and everything
// within reach beyond it was walked then (its parts are already dirty).
bool CircuitSystem::pruning(bool clearing, uint8_t value) const {
  return prune_ && !clearing && !cs::isAnalog(value);
}

bool CircuitSystem::reachedBefore(MapBlock& wire, uint8_t value, uint32_t depth) {
  uint8_t& best = reach_.at(&wire, cs::state(value));
  if (depth >= best) return true;
  best = static_cast<uint8_t>(depth);
  return false;
}

void CircuitSystem::withdrawOutput(MapBlock& cell, bool redrive) {
  resetFlood();
  for (CircuitDir d : kCircuitDirs) sendOutput(cell, d, true);
  if (!redrive) return;
  redrive_.erase(&cell);
  redriveAll();
}

// Clears what the clocks of one run sent before they toggled, in one walk per old signal from all
// of them at once: a wire is cleared when it lies within reach of any of them, as it would be by
// their walks one after another, but is passed once.
void CircuitSystem::withdrawTogether() {
  std::stable_sort(withdrawing_.begin(), withdrawing_.end(),
                   [](const Withdrawal& a, const Withdrawal& b) { return a.signal < b.signal; });
  for (size_t first = 0; first < withdrawing_.size();) {
    const uint8_t signal = withdrawing_[first].signal;
    resetFlood();
    size_t next = first;
    for (; next < withdrawing_.size() && withdrawing_[next].signal == signal; ++next) {
      MapBlock& cell = *withdrawing_[next].cell;
      for (CircuitDir d : kCircuitDirs) {
        if (!circuit_sides::drives(&cell, d)) continue;
        MapBlock* n = neighbourPast(cell, d);
        if (n == nullptr || !circuit_sides::accepts(n, opposite(d))) continue;
        if (!isWire(circuit_sides::kindOf(*n))) {
          dirty_.insert(n);
        } else if (visited_.insert(n)) {
          flood_.push_back({n, 1});
        }
      }
    }
    runFlood(signal, true);
    first = next;
  }
  withdrawing_.clear();
}

// Every driver in the redrive set sends its present output again; the set empties.
void CircuitSystem::redriveAll() {
  redrive_.takeInto(redriving_);
  reach_.reset(map().width());
  prune_ = true;
  for (MapBlock* driver : redriving_) sendAll(*driver);
  prune_ = false;
  reach_.reset(map().width());
}

void CircuitSystem::setOutput(MapBlock& cell, uint8_t signal) {
  const uint8_t old = signalByte(cell);
  if (signal == old) return;
  if (old != 0) withdrawOutput(cell, true);
  map_.markChanged(cell);
  setSignalByte(cell, signal);
  sendAll(cell);
}

void CircuitSystem::replaceState(MapBlock& cell, uint8_t state, bool send) {
  if (cs::state(signalByte(cell)) != 0) withdrawOutput(cell, true);
  map_.markChanged(cell);
  cell.circuitA = static_cast<uint8_t>((cell.circuitA & ~cs::kStateMask) | (state & cs::kStateMask));
  if (send) sendAll(cell);
}

void CircuitSystem::onWireCut(MapBlock& cell) {
  resetFlood();
  redrive_.clear();
  for (CircuitDir d : kCircuitDirs) {
    MapBlock* n = neighbourPast(cell, d);
    if (n == nullptr) continue;
    const uint8_t kind = circuit_sides::kindOf(*n);
    if (circuit_sides::accepts(n, opposite(d))) {
      if (isWire(kind)) {
        if (visited_.insert(n)) flood_.push_back({n, 1});
      } else {
        dirty_.insert(n);
      }
    } else if (circuit_sides::drives(n, opposite(d))) {
      redrive_.insert(n);
    }
  }
  for (size_t head = 0; head < flood_.size(); ++head) {
    MapBlock& w = *flood_[head].cell;
    const uint32_t depth = flood_[head].depth;
    if (depth < kWriteDepth) {
      map_.markChanged(w);
      setSignalByte(w, cs::kNone);
      changed_.insert(&w);
    }
    for (CircuitDir d : kCircuitDirs) {
      MapBlock* n = neighbourPast(w, d);
      if (n == nullptr) continue;
      const uint8_t kind = circuit_sides::kindOf(*n);
      if (circuit_sides::accepts(n, opposite(d))) {
        if (isComponent(kind) && depth < kWriteDepth - 1) dirty_.insert(n);
        if (isWire(kind) && visited_.insert(n)) flood_.push_back({n, depth + 1});
      }
      if (isComponent(kind) && circuit_sides::drives(n, opposite(d)) && depth < kClearDepth) redrive_.insert(n);
    }
  }
  flood_.clear();
  redriveAll();
}

void CircuitSystem::onWireAdded(MapBlock& cell) {
  const uint8_t own = circuit_sides::kindOf(cell);
  if (own != ck::kWire && own != ck::kCrossing) return;
  resetFlood();
  redrive_.clear();
  bool walked = false;
  for (CircuitDir d : kCircuitDirs) {
    MapBlock* n = neighbourPast(cell, d);
    if (n == nullptr || !circuit_sides::accepts(&cell, d) || !circuit_sides::drives(n, opposite(d))) continue;
    if (cs::state(signalByte(*n)) == 0) continue;
    const uint8_t kind = circuit_sides::kindOf(*n);
    if (isComponent(kind)) {
      redrive_.insert(n);
    } else if (isWire(kind) && !walked) {
      walked = true;
      visited_.insert(&cell);
      flood_.push_back({&cell, 1});
    }
  }
  // Walk the live wires from the new one to every driver that feeds them.
  for (size_t head = 0; head < flood_.size(); ++head) {
    MapBlock& w = *flood_[head].cell;
    const uint32_t depth = flood_[head].depth;
    if (depth > kWriteDepth) continue;
    for (CircuitDir d : kCircuitDirs) {
      MapBlock* n = neighbourPast(w, d);
      if (n == nullptr || !circuit_sides::drives(n, opposite(d)) || !circuit_sides::accepts(&w, d)) continue;
      if (cs::state(signalByte(*n)) == 0) continue;
      const uint8_t kind = circuit_sides::kindOf(*n);
      if (isComponent(kind) && depth < kWriteDepth - 1) redrive_.insert(n);
      if (isWire(kind) && visited_.insert(n)) flood_.push_back({n, depth + 1});
    }
  }
  flood_.clear();
  redriveAll();
}
