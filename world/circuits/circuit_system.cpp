// CircuitSystem: the producers' side (edits queue changes), the timed step, the change operations
// and what the saves keep.

#include "world/circuits/circuit_system.h"

#include <algorithm>

#include "world/cells/cell_refresh.h"
#include "world/cells/map_block.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"
#include "world/light/light_map.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace ck = circuit_kind;

namespace {

constexpr uint16_t kLightSensor = 2117;
constexpr uint16_t kPlayerPlate = 2084;
constexpr uint16_t kLightSensorPeriod = 25;
constexpr uint16_t kPlayerPlatePeriod = 2;

// Kinds that draw a look of their own (sources, sensors and output devices show their block).
bool drawsOwnLook(uint8_t kind) { return (kind >= 1 && kind <= 14) || kind >= 18; }

}  // namespace

CircuitSystem::CircuitSystem(World& world) : world_(world), map_(world.map()) {
  map_.lightMap().setLampColours(this);
}

// ---- Producers ----

void CircuitSystem::queueChange(MapBlock& cell, uint8_t operation, uint8_t value) {
  producer_.push_back({operation, &cell, value});
  if (pending_ == 0) {
    pending_ = 1;
    scheduleStep();
  }
}

void CircuitSystem::scheduleStep() {
  world_.timers().schedule(world_timer::kCircuitStep, kStepInterval, [this](float) { step(); });
}

bool CircuitSystem::pending() const {
  return pending_ != 0;
}

void CircuitSystem::onBlockPlaced(MapBlock& cell, uint8_t kind, uint16_t blockId) {
  WorldMap& m = map();
  m.markChanged(cell);
  if (kind == ck::kWire) {
    placePlainWire(world_.refresh(), m, cell);
    queueChange(cell, circuit_op::kWireAdded, 0);
    return;
  }
  if (kind == ck::kConnectorWire) {
    placeConnectorWire(world_.refresh(), cell);
    return;
  }
  if (kind == ck::kSourceBlock || kind == ck::kSensorBlock) {
    setSignalByte(cell, initialSignalForBlock(m.props(), cell, blockId, world_.dayClock().darkness));
  }
  setCircuitKind(cell, kind);
  if (drawsOwnLook(kind)) world_.refresh().refreshCell(cell);
  refreshWireBits(world_.refresh(), m, cell);
  queueChange(cell, circuit_op::kPartPlaced, kind);
}

void CircuitSystem::onBlockRemoved(MapBlock& cell) {
  memory_.erase(&cell);
  WorldMap& m = map();
  const uint8_t kind = circuitKind(cell);
  if (kind == ck::kNone) return;
  if (kind != ck::kWire && kind != ck::kCrossing) {
    queueChange(cell, circuit_op::kPartRemoved, 0);
    return;
  }
  bool fed = circuit_signal::state(signalByte(cell)) != 0;
  if (kind == ck::kCrossing) {
    fed = false;
    for (CircuitDir d : kCircuitDirs) {
      const MapBlock* n = circuitNeighbour(m, cell, d);
      if (n != nullptr && circuit_signal::state(signalByte(*n)) != 0 && connectsToward(n, opposite(d))) fed = true;
    }
  }
  m.markChanged(cell);
  cell.circuitA = 0;
  cell.circuitB = 0;
  world_.refresh().refreshCell(cell);
  refreshWireBits(world_.refresh(), m, cell);
  if (fed) queueChange(cell, circuit_op::kWireCut, 0);
}

void CircuitSystem::onPartTurned(MapBlock& cell) { queueChange(cell, circuit_op::kTurn, 0); }

void CircuitSystem::setCellConfig(MapBlock& cell, uint8_t signal) {
  if (signalByte(cell) == (signal & 0x7F)) return;
  queueChange(cell, circuit_op::kSetSignal, signal);
}

// ---- The step ----

void CircuitSystem::step() {
  std::swap(producer_, processing_);
  if (processing_.empty() && dirty_.empty() && timers_.empty()) {
    stepCounter_ = 2;
    pending_ = 0;
    world_.timers().unschedule(world_timer::kCircuitStep);
    return;
  }
  if (--stepCounter_ == 0) {
    runTimers();
    stepCounter_ = 2;
  }
  for (int pass = 0; pass < kMaxPasses && !dirty_.empty(); ++pass) {
    dirty_.takeInto(pass_);
    for (MapBlock* cell : pass_) evaluateCell(*cell);
    pass_.clear();
  }
  for (const CircuitChange& change : processing_) runChange(change);
  processing_.clear();
  redrawChanged();
}

// A clock reads no input, so the clocks due in one timer phase toggle together: each writes its
// new state, what they sent before is cleared in one walk, and then every driver met (the clocks
// among them) sends again once. OR on a wire does not depend on the order. Anything that reads a
// signal (a sensor, a shift register) first sees the run finished.
void CircuitSystem::runTimers() {
  // By index: a timed evaluation never adds or drops timers, but keep it safe if one ever does.
  for (size_t i = 0; i < timers_.size(); ++i) {
    CircuitTimer& timer = timers_[i];
    if (--timer.countdown != 0) continue;
    timer.countdown = timer.period;
    MapBlock& cell = *timer.cell;
    if (circuitKind(cell) == circuit_kind::kClock) {
      toggleInRun(cell);
    } else {
      flushRun();
      runTimedEvaluation(cell);
    }
  }
  flushRun();
}

void CircuitSystem::toggleInRun(MapBlock& cell) {
  const uint8_t old = signalByte(cell);
  if (circuit_signal::state(old) != 0) withdrawing_.push_back({&cell, old});
  const uint8_t next = circuit_signal::state(old) == circuit_signal::kHigh ? circuit_signal::kLow : circuit_signal::kHigh;
  map_.markChanged(cell);
  cell.circuitA = static_cast<uint8_t>((cell.circuitA & ~circuit_signal::kStateMask) | next);
  redrive_.insert(&cell);
  inRun_ = true;
}

void CircuitSystem::flushRun() {
  if (!inRun_) return;
  inRun_ = false;
  withdrawTogether();
  redriveAll();
}

void CircuitSystem::runTimedEvaluation(MapBlock& cell) {
  switch (circuitKind(cell)) {
    case ck::kClock:
      evaluateCell(cell);
      break;
    case ck::kSensorBlock: {
      const uint8_t reading = readSensor(cell);
      if (reading == signalByte(cell)) break;
      if (circuit_signal::state(signalByte(cell)) != 0) withdrawOutput(cell, true);
      map_.markChanged(cell);
      setSignalByte(cell, reading);
      sendAll(cell);
      break;
    }
    case ck::kShiftRegister:
      shiftRegisterStep(cell);
      break;
    default:
      break;
  }
}

void CircuitSystem::redrawChanged() {
  CellRefresh& refresh = world_.refresh();
  for (MapBlock* cell : changed_.members()) refresh.refreshCell(*cell);
  changed_.clear();
}

// ---- Change operations ----

void CircuitSystem::runChange(const CircuitChange& change) {
  MapBlock& cell = *change.cell;
  switch (change.operation) {
    case circuit_op::kWireAdded: onWireAdded(cell); break;
    case circuit_op::kWireCut: onWireCut(cell); break;
    case circuit_op::kPartPlaced: partPlaced(cell, change.value); break;
    case circuit_op::kPartRemoved: partRemoved(cell); break;
    case circuit_op::kTurn: turnPart(cell); break;
    case circuit_op::kSetSignal: setSignal(cell, change.value); break;
    case circuit_op::kEvaluate: evaluateCell(cell); break;
    default: break;
  }
}

void CircuitSystem::partPlaced(MapBlock& cell, uint8_t kind) {
  if (circuitPart(kind).timed != 0) addTimer(cell);
  if (kind == ck::kSourceBlock || kind == ck::kSensorBlock) {
    resetFlood();
    sendAll(cell);
    return;
  }
  evaluateCell(cell);
}

void CircuitSystem::partRemoved(MapBlock& cell) {
  const uint8_t kind = circuitKind(cell);
  if (kind == ck::kNone) return;
  withdrawOutput(cell, true);
  if (circuitPart(kind).timed != 0) dropTimer(cell);
  map_.markChanged(cell);
  cell.circuitA = 0;
  cell.circuitB = 0;
  if (drawsOwnLook(kind)) world_.refresh().refreshCell(cell);
  refreshWireBits(world_.refresh(), map(), cell);
}

// The evaluation at the end marks the cell for the save's copy.
void CircuitSystem::turnPart(MapBlock& cell) {
  if (circuit_signal::state(signalByte(cell)) != 0) withdrawOutput(cell, true);
  setSignalByte(cell, circuit_signal::kNone);
  turnCircuitPart(cell);
  world_.refresh().refreshCell(cell);
  refreshWireBits(world_.refresh(), map(), cell);
  evaluateCell(cell);
}

void CircuitSystem::setSignal(MapBlock& cell, uint8_t signal) {
  if (circuit_signal::state(signalByte(cell)) != 0) withdrawOutput(cell, true);
  map_.markChanged(cell);
  setSignalByte(cell, signal);
  resetFlood();
  sendAll(cell);
  changed_.insert(&cell);
}

// ---- Timers ----

void CircuitSystem::addTimer(MapBlock& cell) {
  uint16_t period = 1;
  if (cell.frontId() == kLightSensor) period = kLightSensorPeriod;
  if (cell.frontId() == kPlayerPlate) period = kPlayerPlatePeriod;
  timers_.push_back({&cell, period, period});
}

void CircuitSystem::dropTimer(const MapBlock& cell) {
  auto found = std::find_if(timers_.begin(), timers_.end(), [&](const CircuitTimer& t) { return t.cell == &cell; });
  if (found != timers_.end()) timers_.erase(found);
}

CircuitTimer* CircuitSystem::timerAt(const MapBlock& cell) {
  for (CircuitTimer& timer : timers_) {
    if (timer.cell == &cell) return &timer;
  }
  return nullptr;
}

const CircuitTimer* CircuitSystem::timerAt(const MapBlock& cell) const {
  return const_cast<CircuitSystem*>(this)->timerAt(cell);
}

// ---- Saved state ----

std::vector<CircuitChange> CircuitSystem::pendingChanges() const {
  return producer_;
}

void CircuitSystem::restore(const std::vector<MapBlock*>& dirty, const std::vector<CircuitChange>& changes,
                            const std::vector<CircuitTimer>& timers,
                            const std::unordered_map<MapBlock*, CircuitRecord>& memory) {
  dirty_.clear();
  for (MapBlock* cell : dirty) dirty_.insert(cell);
  timers_ = timers;
  memory_ = memory;
  producer_ = changes;
  // Saved work waits for the step that the game schedules when it starts.
  pending_ = !producer_.empty() || !dirty_.empty() || !timers_.empty() ? 1 : 0;
}

const CircuitRecord* CircuitSystem::findMemory(const MapBlock& cell) const {
  auto found = memory_.find(const_cast<MapBlock*>(&cell));
  return found == memory_.end() ? nullptr : &found->second;
}
