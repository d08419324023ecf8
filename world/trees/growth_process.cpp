#include "world/trees/growth_process.h"

#include <algorithm>
#include <utility>

#include "content/tables/content_tables.h"
#include "engine/base/random.h"
#include "world/cells/block_flags.h"
#include "world/map/world_map.h"
#include "world/trees/growth_writer.h"

namespace {

enum StageKind : uint32_t { kBase = 0, kTrunk = 1, kWiden = 2, kNarrow = 3, kWidenOrNarrow = 4 };

bool coinFlip() { return engine::randomNext() % 2 == 0; }

int8_t clampWidth(int value) { return static_cast<int8_t>(std::clamp(value, -127, 127)); }

uint16_t rootBlock(const ProcessSpec& spec) { return spec.blocks[0]; }
uint16_t lowerTrunkBlock(const ProcessSpec& spec) { return spec.blocks[1]; }
uint16_t trunkBlock(const ProcessSpec& spec) { return spec.blocks[2]; }
uint16_t leafBlock(const ProcessSpec& spec) { return spec.blocks[3]; }

bool isSpecBlock(const ProcessSpec& spec, uint16_t id) {
  return std::find(spec.blocks.begin(), spec.blocks.end(), id) != spec.blocks.end();
}

void placeGrown(WorldMap& map, GrowthWriter& out, MapBlock& cell, uint16_t blockId, bool noRegistration) {
  out.place(cell, blockId, randomVariantFor(map.props(), blockId));
  if (!noRegistration && map.props()[blockId].has(block_flag::kFruitPlant)) out.noteFruitBlock(cell, blockId);
}

// Lays the next leaf of one side at `column`; false when that side is done.
bool layLeaf(WorldMap& map, GrowthWriter& out, const BranchEntry& entry, int32_t column) {
  MapBlock* cell = map.cellAt(column, entry.y);
  const uint16_t leaf = leafBlock(*entry.spec);
  if (cell == nullptr || cell->frontId() != 0 || leaf == 0) return false;
  placeGrown(map, out, *cell, leaf, entry.noRegistration != 0);
  return true;
}

}  // namespace

int randomInRange(int lo, int hi) {
  if (lo == hi) return lo;
  return lo + engine::randomNext() % (hi - lo + 1);
}

bool BranchEntry::step(WorldMap& map, GrowthWriter& out) {
  if (rightLeft >= 1) {
    const int32_t column = x + 1 + (rightWidth - rightLeft);
    rightLeft = layLeaf(map, out, *this, column) ? static_cast<int8_t>(rightLeft - 1) : int8_t{0};
  }
  if (leftLeft >= 1) {
    const int32_t column = x - 1 - (leftWidth - leftLeft);
    leftLeft = layLeaf(map, out, *this, column) ? static_cast<int8_t>(leftLeft - 1) : int8_t{0};
  }
  return leftLeft <= 0 && rightLeft <= 0;
}

GrowthProcess::GrowthProcess(uint16_t x, uint16_t y, uint8_t specNumber, bool noRegistration)
    : spec_(&contentTables().processSpecs[specNumber % content::kProcessSpecCount]),
      noRegistration_(noRegistration ? 1 : 0),
      x_(x),
      y_(y),
      originX_(x),
      originY_(y) {}

GrowthProcess::GrowthProcess(uint16_t originX, uint16_t originY, const GrowthState& state,
                             std::vector<BranchEntry> branches)
    : spec_(&contentTables().processSpecs[state.spec % content::kProcessSpecCount]),
      branches_(std::move(branches)),
      stageIndex_(static_cast<uint8_t>(std::min<size_t>(state.stagesTaken, spec_->steps.size()))),
      rowsLeft_(state.rowsLeft),
      leftWidth_(state.leftWidth),
      rightWidth_(state.rightWidth),
      x_(state.x),
      y_(state.y),
      originX_(originX),
      originY_(originY) {
  // Rows are left only inside a stage, and only a stage that was taken can be the current one.
  if (rowsLeft_ > 0 && stageIndex_ > 0) stage_ = &spec_->steps[stageIndex_ - 1u];
  if (stage_ == nullptr) rowsLeft_ = 0;
  for (BranchEntry& branch : branches_) branch.spec = spec_;
}

GrowthState GrowthProcess::state() const {
  return {spec_->kind, stageIndex_, rowsLeft_, leftWidth_, rightWidth_, x_, y_};
}

bool GrowthProcess::betweenStagesFinished() const {
  return stageIndex_ >= spec_->steps.size() && branches_.empty() && rowsLeft_ == 0;
}

void GrowthProcess::takeNextStage() {
  stage_ = nullptr;
  if (stageIndex_ >= spec_->steps.size()) return;
  const ProcessStep& next = spec_->steps[stageIndex_++];
  rowsLeft_ = static_cast<uint8_t>(randomInRange(next.repeatMin, next.repeatMax));
  if (rowsLeft_ == 0) return;  // an empty stage: between stages until the next step
  stage_ = &next;
  if (next.action == kBase) {
    leftWidth_ = rightWidth_ = 1;
  } else if (next.action == kTrunk) {
    leftWidth_ = clampWidth(randomInRange(next.offsetMin, next.offsetMax));
    rightWidth_ = spec_->sharedOffset != 0 ? leftWidth_ : clampWidth(randomInRange(next.offsetMin, next.offsetMax));
  }
}

bool GrowthProcess::step(WorldMap& map, GrowthWriter& out) {
  std::erase_if(branches_, [&](BranchEntry& branch) { return branch.step(map, out); });
  if (rowsLeft_ == 0) takeNextStage();
  if (stage_ == nullptr) return betweenStagesFinished();

  const MapBlock* above = map.cellAt(x_, y_ + 1);
  const bool blocked = above == nullptr || (above->frontId() != 0 && !isSpecBlock(*spec_, above->frontId())) ||
                       map.props()[above->frontId()].has(block_flag::kFruitPlant);
  if (blocked) {
    stageIndex_ = static_cast<uint8_t>(spec_->steps.size());
    rowsLeft_ = 0;
    stage_ = nullptr;
    return betweenStagesFinished();
  }

  growRow(map, out);
  if (--rowsLeft_ == 0) {
    stage_ = nullptr;
    if (stageIndex_ >= spec_->steps.size()) return branches_.empty();
  }
  placeTrunkPart(map, out, y_ + 1, trunkBlock(*spec_));
  ++y_;
  return false;
}

void GrowthProcess::growRow(WorldMap& map, GrowthWriter& out) {
  const ProcessStep& stage = *stage_;
  if (stage.action == kBase) {
    placeTrunkPart(map, out, y_, stageIndex_ == 1 ? rootBlock(*spec_) : lowerTrunkBlock(*spec_));
    return;
  }
  if (stage.action == kTrunk) {
    if (map.cell(map.wrapX(x_), y_).frontId() != trunkBlock(*spec_)) placeTrunkPart(map, out, y_, trunkBlock(*spec_));
    addBranch();
    return;
  }
  int leftStep = randomInRange(stage.offsetMin, stage.offsetMax);
  int rightStep = spec_->sharedOffset != 0 ? leftStep : randomInRange(stage.offsetMin, stage.offsetMax);
  if (stage.action == kNarrow) {
    leftStep = -leftStep;
    rightStep = -rightStep;
  } else if (stage.action == kWidenOrNarrow) {
    if (spec_->sharedOffset != 0) {
      if (coinFlip()) leftStep = rightStep = -leftStep;
    } else {
      if (coinFlip()) leftStep = -leftStep;
      if (coinFlip()) rightStep = -rightStep;
    }
  }
  placeTrunkPart(map, out, y_, trunkBlock(*spec_));
  leftWidth_ = clampWidth(leftWidth_ + leftStep);
  rightWidth_ = clampWidth(rightWidth_ + rightStep);
  addBranch();
}

void GrowthProcess::placeTrunkPart(WorldMap& map, GrowthWriter& out, int32_t y, uint16_t blockId) {
  MapBlock* cell = map.cellAt(x_, y);
  if (cell != nullptr) placeGrown(map, out, *cell, blockId, noRegistration_ != 0);
}

void GrowthProcess::addBranch() {
  branches_.push_back({spec_, leftWidth_, rightWidth_, leftWidth_, rightWidth_, x_, y_, noRegistration_});
}

void runGrowthToCompletion(WorldMap& map, int32_t x, int32_t y, uint8_t specNumber) {
  MapBlock* origin = map.cellAt(x, y);
  if (origin == nullptr) return;
  GrowthProcess process(origin->x, origin->y, specNumber, true);
  MapGrowthWriter out(map);
  while (!process.step(map, out)) {
  }
}
