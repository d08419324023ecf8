#include "net/transfer/running_state.h"

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"
#include "entities/core/entity_record.h"
#include "entities/core/world_entities.h"
#include "entities/records/entity_from_record.h"
#include "net/wire/wire_messages.h"
#include "world/circuits/circuit_system.h"
#include "world/light/lamp_colours.h"
#include "world/light/light_map.h"
#include "world/light/light_refresh_batching.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr size_t kCircuitCounts = 16;
constexpr uint64_t kCellBytes = 4, kChangeBytes = 5, kTimerBytes = 8, kMemoryBytes = 10;

using Send = std::function<void(const wire::WireOut&)>;

CellPos cellOfIndex(const WorldMap& map, size_t index) {
  const auto height = static_cast<size_t>(map.height());
  return {static_cast<uint16_t>(index / height), static_cast<uint16_t>(index % height)};
}

// Cells by index in messages of at most 65,535.
void sendCellLists(wire::WorldChangeMsg id, const WorldMap& map, const std::vector<size_t>& cells, const Send& send) {
  for (size_t start = 0; start < cells.size(); start += kMaxEntriesPerMessage) {
    const size_t count = std::min<size_t>(kMaxEntriesPerMessage, cells.size() - start);
    wire::WireOut out = wire::hostMessage(id);
    out.count(static_cast<uint32_t>(count));
    for (size_t i = start; i < start + count; ++i) {
      const CellPos cell = cellOfIndex(map, cells[i]);
      out.cell(cell.x, cell.y);
    }
    send(out);
  }
}

std::vector<size_t> liquidCells(WorldMap& map) {
  std::vector<size_t> cells;
  for (const std::vector<uint32_t>& list : {map.liquids().nextCells(), map.liquids().pendingCells()}) {
    cells.insert(cells.end(), list.begin(), list.end());
  }
  return cells;
}

void writeCell(engine::ByteWriter& out, CellPos cell) {
  out.u16(cell.x);
  out.u16(cell.y);
}

// The four lists walked as one, each message taking the next 65,535 records.
class CircuitMessages {
 public:
  explicit CircuitMessages(const CircuitState& state) : state_(state) {}

  void send(const Send& send) {
    const size_t total = state_.dirty.size() + state_.changes.size() + state_.timers.size() + state_.memory.size();
    size_t sent = 0;
    do {
      const size_t room = std::min<size_t>(kMaxEntriesPerMessage, total - sent);
      send(next(room));
      sent += room;
    } while (sent < total);
  }

 private:
  // Up to `room` records, the lists in order; an empty state still makes one message.
  wire::WireOut next(size_t room) {
    uint32_t counts[4] = {};
    engine::ByteWriter tail;
    counts[0] = take(state_.dirty, dirty_, room, [&](CellPos cell) { writeCell(tail, cell); });
    counts[1] = take(state_.changes, changes_, room, [&](const CircuitChangeRecord& change) {
      writeCell(tail, change.cell);
      tail.u8(change.operation);
    });
    counts[2] = take(state_.timers, timers_, room, [&](const CircuitTimerRecord& timer) {
      writeCell(tail, timer.cell);
      tail.u16(timer.countdown);
      tail.u16(timer.period);
    });
    counts[3] = take(state_.memory, memory_, room, [&](const CircuitMemoryRecord& memory) {
      writeCell(tail, memory.cell);
      tail.u32(memory.word);
      tail.u16(memory.second);
    });
    engine::ByteWriter head;
    for (uint32_t count : counts) head.u32(count);
    wire::WireOut out = wire::hostMessage(wire::WorldChangeMsg::CircuitState);
    out.raw(head.release());
    out.raw(tail.release());
    return out;
  }

  template <class Record, class Write>
  static uint32_t take(const std::vector<Record>& list, size_t& at, size_t& room, const Write& write) {
    const size_t count = std::min(room, list.size() - at);
    for (size_t i = at; i < at + count; ++i) write(list[i]);
    at += count;
    room -= count;
    return static_cast<uint32_t>(count);
  }

  const CircuitState& state_;
  size_t dirty_ = 0, changes_ = 0, timers_ = 0, memory_ = 0;
};

// A received cell on the map: the column wrapped, no cell outside the rows.
std::optional<CellPos> onMap(const WorldMap& map, wire::Cell cell) {
  if (cell.row >= map.height()) return std::nullopt;
  return CellPos{static_cast<uint16_t>(map.wrapX(cell.column)), cell.row};
}

std::optional<CellPos> readCell(engine::ByteReader& in, const WorldMap& map) {
  const uint16_t column = in.u16();
  const uint16_t row = in.u16();
  return onMap(map, {column, row});
}

std::vector<uint32_t> receivedCellIndexes(wire::WireIn& in, const WorldMap& map) {
  const uint32_t count = in.count();
  std::vector<uint32_t> cells;
  cells.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    if (const std::optional<CellPos> cell = onMap(map, in.cell())) {
      cells.push_back(static_cast<uint32_t>(map.index(cell->x, cell->y)));
    }
  }
  return cells;
}

}  // namespace

void sendRunningState(World& world, WorldEntities& entities, const Send& send) {
  WorldMap& map = world.map();
  sendCellLists(wire::WorldChangeMsg::LiquidCells, map, liquidCells(map), send);
  CircuitMessages(captureCircuits(world)).send(send);
  const std::set<size_t>& timed = world.markedCells();
  sendCellLists(wire::WorldChangeMsg::TimedCells, map, std::vector<size_t>(timed.begin(), timed.end()), send);
  entities.forEach([&](const RealEntity& entity) {
    if (entity.data.removed) return;
    EntityRecord record;
    entity.toRecord(record);
    wire::WireOut out = wire::hostMessage(wire::EntityMsg::EntityRecord);
    out.entityRecord(record);
    send(out);
  });
}

bool RunningStateReceiver::apply(wire::WireIn& in, World& world, WorldEntities& entities) {
  WorldMap& map = world.map();
  const wire::MessageSpec& spec = in.spec();
  if (spec.is(wire::WorldChangeMsg::LiquidCells)) {
    map.liquids().restorePending(receivedCellIndexes(in, map));
    return true;
  }
  if (spec.is(wire::WorldChangeMsg::TimedCells)) {
    for (uint32_t index : receivedCellIndexes(in, map)) world.markedCells().insert(index);
    return true;
  }
  if (spec.is(wire::WorldChangeMsg::CircuitState)) return applyCircuits(in, world);
  if (!spec.is(wire::EntityMsg::EntityRecord)) return false;
  if (const std::optional<EntityRecord> record = in.entityRecord()) entityFromRecord(entities, *record);
  return true;
}

bool RunningStateReceiver::applyCircuits(wire::WireIn& in, World& world) {
  engine::ByteReader counts(in.raw(kCircuitCounts));
  const uint64_t dirty = counts.u32(), changes = counts.u32(), timers = counts.u32(), memory = counts.u32();
  const std::span<const uint8_t> tail = in.rest();
  // In 64 bits: four u32 counts times their record sizes cannot wrap past the length.
  const uint64_t expected = dirty * kCellBytes + changes * kChangeBytes + timers * kTimerBytes + memory * kMemoryBytes;
  if (expected != tail.size()) return false;

  const WorldMap& map = world.map();
  engine::ByteReader records(tail);
  for (uint64_t i = 0; i < dirty; ++i) {
    if (const std::optional<CellPos> cell = readCell(records, map)) circuits_.dirty.push_back(*cell);
  }
  for (uint64_t i = 0; i < changes; ++i) {
    const std::optional<CellPos> cell = readCell(records, map);
    const uint8_t operation = records.u8();
    if (cell && operation <= circuit_op::kEvaluate) circuits_.changes.push_back({*cell, operation});
  }
  for (uint64_t i = 0; i < timers; ++i) {
    const std::optional<CellPos> cell = readCell(records, map);
    const uint16_t countdown = records.u16();
    const uint16_t period = records.u16();
    if (cell) circuits_.timers.push_back({*cell, countdown, period});
  }
  for (uint64_t i = 0; i < memory; ++i) {
    const std::optional<CellPos> cell = readCell(records, map);
    const uint32_t word = records.u32();
    const uint16_t second = records.u16();
    if (cell) circuits_.memory.push_back({*cell, word, second});
  }
  restoreCircuits(world, circuits_);
  lightColouredLamps(world);
  world.circuits().scheduleStep();
  return true;
}

// The cells were lit before the device memory came, when a coloured lamp that is on had no colour
// yet: each such lamp now lights its cells in the colour the host keeps for it.
void RunningStateReceiver::lightColouredLamps(World& world) const {
  LightMap& light = world.map().lightMap();
  for (const CircuitMemoryRecord& record : circuits_.memory) {
    MapBlock& cell = world.map().cell(record.cell.x, record.cell.y);
    if (cell.frontId() == lamp_block::kColouredLamp && light.emittedColour(cell) != 0) light.refreshCell(cell);
  }
  world.lightBatching().refreshWorldLighting();
}
