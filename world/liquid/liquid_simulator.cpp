#include "world/liquid/liquid_simulator.h"

#include <utility>

#include "content/items/block_edit.h"
#include "world/cells/map_block.h"
#include "world/light/light_refresh_batching.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {
constexpr uint16_t kOpaqueWhenVariant1 = 2090;
}  // namespace

LiquidSimulator::LiquidSimulator(WorldMap& map) : map_(map) {}

bool LiquidSimulator::isOpenForLiquid(const MapBlock* cell) const {
  if (cell == nullptr) return false;
  if (cell->frontId() == kOpaqueWhenVariant1 && cell->frontVariant() == 1) return false;
  return !map_.props()[cell->frontId()].opaque();
}

// The map sizes its cells after building its simulator, so the marks are sized on first use.
void LiquidSimulator::ensureMarks() {
  if (stepMark_.size() == map_.cellCount()) return;
  stepMark_.assign(map_.cellCount(), 0);
  pendingMark_.assign(map_.cellCount(), 0);
}

void LiquidSimulator::queueCell(MapBlock& cell) {
  const uint32_t i = static_cast<uint32_t>(map_.indexOf(cell));
  auto insert = [&] {
    ensureMarks();
    if (pendingMark_[i] != 0) return;
    pendingMark_[i] = 1;
    pending_.push_back(i);
  };
  insert();
  if (!running_) scheduleStep();
}

void LiquidSimulator::scheduleStep() {
  running_ = true;
  World* world = map_.world();
  if (world != nullptr) world->timers().schedule(world_timer::kLiquidStep, kStepInterval, [this](float) { step(); });
}

void LiquidSimulator::wakeNeighbours(MapBlock& cell) {
  map_.markChanged(cell);
  cell.flags &= static_cast<uint8_t>(~cell_flag::kLiquidSource);
  cell.liquid = 0;
  for (MapBlock* n : {cell.neighbourLeft(map_), cell.neighbourDown(map_), cell.neighbourRight(map_),
                      cell.neighbourUp(map_)}) {
    if (isOpenForLiquid(n) && (n->liquid & 0x3F) != 0) queueCell(*n);
  }
}

void LiquidSimulator::activateCell(MapBlock& cell, uint8_t kind) {
  const uint8_t previousKind = static_cast<uint8_t>(cell.liquidKind());
  map_.markChanged(cell);
  cell.flags |= cell_flag::kLiquidSource;
  BlockEdit edit;
  makeBlockValue(edit, cell.x, cell.y, 18, 0, 0, 0, 0);
  edit.setValueByte(0, static_cast<uint8_t>(kind << 6 | 0x24));
  edit.setValueByte(1, previousKind);
  apply(edit);
  ensureMarks();
  const uint32_t i = static_cast<uint32_t>(map_.indexOf(cell));
  if (pendingMark_[i] == 0) {
    pendingMark_[i] = 1;
    pending_.push_back(i);
  }
}

std::vector<uint32_t> LiquidSimulator::pendingCells() {
  ensureMarks();
  std::vector<uint32_t> cells;
  cells.reserve(pending_.size());
  for (uint32_t i : pending_) {
    if (pendingMark_[i] != 0) cells.push_back(i);  // forgotten cells stay listed until taken
  }
  return cells;
}

void LiquidSimulator::restorePending(const std::vector<uint32_t>& cells) {
  ensureMarks();
  for (uint32_t i : cells) {
    if (i >= pendingMark_.size() || pendingMark_[i] != 0) continue;
    pendingMark_[i] = 1;
    pending_.push_back(i);
  }
}

void LiquidSimulator::forgetCell(MapBlock& cell) {
  ensureMarks();
  pendingMark_[map_.indexOf(cell)] = 0;  // its entry in the list is skipped when taken
}

void LiquidSimulator::apply(const BlockEdit& edit) {
  if (sink_) {
    sink_(edit);
    return;
  }
  // A map without a world (a tool's or a test's) has nowhere to send the flow.
  if (World* world = map_.world()) world->edits().applyBlockEdit(edit, nullptr);
}

void LiquidSimulator::followUpUnchanged(MapBlock& cell, bool dry) {
  World* world = map_.world();
  if (sink_ || world == nullptr) return;  // a world being generated has no one fishing or standing in it
  if (dry) {
    world->rules().endFishingAtCell(cell);
  } else if (cell.liquidKind() == LiquidKind::Lava) {
    world->rules().effectOnEntitiesAtCell(cell);
  }
}

void LiquidSimulator::beginSettling(EditSink sink) {
  sink_ = std::move(sink);
  running_ = true;
}

bool LiquidSimulator::settleStep() {
  takePendingAndNext();
  if (active_.empty()) return false;
  MapBlock* cells = map_.cells();
  for (uint32_t i : active_) recompute(cells[i]);
  return true;
}

void LiquidSimulator::endSettling() {
  sink_ = nullptr;
  running_ = false;
}

// `active` becomes the cells queued from outside together with those the last step left in `next`,
// each once.
void LiquidSimulator::takePendingAndNext() {
  ensureMarks();
  for (uint32_t i : active_) stepMark_[i] &= static_cast<uint8_t>(~kInActive);
  active_.clear();
  {
      for (uint32_t i : pending_) {
      if (pendingMark_[i] == 0) continue;  // forgotten meanwhile
      pendingMark_[i] = 0;
      stepMark_[i] |= kInActive;
      active_.push_back(i);
    }
    pending_.clear();
  }
  for (uint32_t i : next_) {
    stepMark_[i] &= static_cast<uint8_t>(~kInNext);
    if ((stepMark_[i] & kInActive) != 0) continue;
    stepMark_[i] |= kInActive;
    active_.push_back(i);
  }
  next_.clear();
}

void LiquidSimulator::step() {
  takePendingAndNext();
  if (active_.empty()) {
    if (World* world = map_.world()) world->timers().unschedule(world_timer::kLiquidStep);
    running_ = false;
    return;
  }
  static NullLightRefreshBatching unbatched;  // a map without a world has no view to re-tint
  World* world = map_.world();
  const BatchedLightRefresh batch(world != nullptr ? world->lightBatching() : unbatched);
  MapBlock* cells = map_.cells();
  for (uint32_t i : active_) recompute(cells[i]);
}

void LiquidSimulator::requeue(MapBlock& cell) {
  const uint32_t i = static_cast<uint32_t>(map_.indexOf(cell));
  if ((stepMark_[i] & kInNext) != 0) return;
  stepMark_[i] |= kInNext;
  next_.push_back(i);
}
