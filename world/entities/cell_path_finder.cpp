#include "world/entities/cell_path_finder.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "world/cells/block_flags.h"
#include "world/cells/cell_sides.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"

namespace {

constexpr uint16_t kTrapdoor = 2090;

// A cell a pet can be in: passable front, no closed trapdoor, no liquid, and no guarded block
// unless it stands open (variant 1).
bool open(const MapBlock* c, const BlockPropsTable& props) {
  if (c == nullptr || props[c->frontId()].opaque() || c->hasLiquidKind()) return false;
  if (c->frontId() == kTrapdoor && c->frontVariant() == 1) return false;
  return !props[c->frontId()].has(block_flag::kCircuitOutput) || c->frontVariant() == 1;
}

bool clear(const MapBlock* c, const BlockPropsTable& props) { return open(c, props) && !c->isSolid(props); }

bool floorAt(const MapBlock* c, const BlockPropsTable& props) {
  return c != nullptr && blocksEntryFromAbove(c, props);
}

}  // namespace

CellPathFinder::CellPathFinder() {
  open_.reserve(kNodeLimit);
  closed_.reserve(kNodeLimit);
  steps_.reserve(kMostSteps);
  path_.reserve(kNodeLimit);
}

void CellPathFinder::reset() {
  path_.clear();
  open_.clear();
  closed_.clear();
  used_ = 0;
}

uint16_t CellPathFinder::estimate(const MapBlock& cell) const {
  int32_t dx = std::abs(static_cast<int32_t>(cell.x) - static_cast<int32_t>(goal_->x));
  dx = std::min(dx, map_->width() - dx);
  const int32_t dy = std::abs(static_cast<int32_t>(cell.y) - static_cast<int32_t>(goal_->y));
  return static_cast<uint16_t>(dx + dy);
}

CellPathFinder::Node* CellPathFinder::newNode(uint8_t kind, MapBlock* cell, Node* parent, uint16_t g) {
  if (used_ >= kNodeLimit) return nullptr;  // the search stops growing at the limit
  Node& node = pool_[used_++];
  node = {kind, cell, parent, static_cast<uint16_t>(g + estimate(*cell)), g};
  open_.push_back(&node);
  return &node;
}

bool CellPathFinder::isClosed(const MapBlock* cell) const {
  for (const MapBlock* c : closed_) {
    if (c == cell) return true;
  }
  return false;
}

bool CellPathFinder::findPath(MapBlock& start, MapBlock& goal) {
  reset();
  if (map_ == nullptr) return false;
  goal_ = &goal;
  newNode(0, &start, nullptr, 0);
  while (!open_.empty() && used_ < kNodeLimit) {
    if (Node* reached = expand()) {
      buildPath(*reached);
      return true;
    }
  }
  return false;
}

CellPathFinder::Node* CellPathFinder::expand() {
  size_t best = 0;
  for (size_t i = 1; i < open_.size(); ++i) {
    if (open_[i]->f < open_[best]->f) best = i;
  }
  Node* node = open_[best];
  if (node->cell == goal_) return node;
  open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(best));
  closed_.push_back(node->cell);
  neighbourSteps(*node->cell, steps_);
  const auto g = static_cast<uint16_t>(node->g + 1);
  for (const PathStep& step : steps_) {
    if (isClosed(step.cell)) continue;
    Node* known = nullptr;
    for (Node* o : open_) {
      if (o->cell == step.cell) known = o;
    }
    if (known != nullptr) {
      if (g < known->g) *known = {step.kind, step.cell, node, static_cast<uint16_t>(g + estimate(*step.cell)), g};
    } else if (newNode(step.kind, step.cell, node, g) == nullptr) {
      break;
    }
  }
  return nullptr;
}

void CellPathFinder::buildPath(const Node& goal) {
  path_.clear();
  for (const Node* n = &goal; n->parent != nullptr; n = n->parent) path_.push_back({n->cell, n->kind});
  for (size_t i = 0, j = path_.size(); i + 1 < j; ++i, --j) std::swap(path_[i], path_[j - 1]);
}

void CellPathFinder::neighbourSteps(const MapBlock& s, std::vector<PathStep>& out) const {
  out.clear();
  WorldMap& map = *map_;
  const BlockPropsTable& props = map.props();
  const int32_t x = s.x;
  const int32_t y = s.y;
  const int32_t h = map.height();
  auto at = [&](int32_t dx, int32_t dy) { return map.cellAt(x + dx, y + dy); };
  auto opened = [&](int32_t dx, int32_t dy) { return open(at(dx, dy), props); };
  auto cleared = [&](int32_t dx, int32_t dy) { return clear(at(dx, dy), props); };
  auto floored = [&](int32_t dx, int32_t dy) { return floorAt(at(dx, dy), props); };
  auto add = [&](MapBlock* cell, uint8_t kind) {
    if (cell == nullptr) return;
    for (const PathStep& step : out) {
      if (step.cell == cell) return;
    }
    out.push_back({cell, kind});
  };
  // Down a column from (dx, -2): the cell above the first floor while the way stays clear.
  auto dropOnto = [&](int32_t dx) -> MapBlock* {
    for (int32_t dy = -2; y + dy >= 0; --dy) {
      if (!cleared(dx, dy + 1)) return nullptr;
      if (floored(dx, dy)) return at(dx, dy + 1);
    }
    return nullptr;
  };
  const bool below = y + 1 < h;
  if (opened(-1, 0) && y != 0 && floored(-1, -1)) add(at(-1, 0), step_kind::kLeft);
  if (opened(1, 0) && y != 0 && floored(1, -1)) add(at(1, 0), step_kind::kRight);
  if (below && opened(0, 1) && opened(-1, 1) && floored(-1, 0)) add(at(-1, 1), step_kind::kUpLeft);
  if (below && opened(0, 1) && opened(1, 1) && floored(1, 0)) add(at(1, 1), step_kind::kUpRight);
  if (opened(-1, 0) && y > 1 && cleared(-1, -1)) add(dropOnto(-1), step_kind::kDropLeft);
  if (opened(1, 0) && y > 1 && cleared(1, -1)) add(dropOnto(1), step_kind::kDropRight);
  if (opened(-2, 0) && opened(-1, 0) && y != 0 && floored(-2, -1) && cleared(-1, -1)) add(at(-2, 0), step_kind::kGapLeft);
  if (opened(2, 0) && opened(1, 0) && y != 0 && floored(2, -1) && cleared(1, -1)) add(at(2, 0), step_kind::kGapRight);
  if (y > 1 && opened(-1, 0) && opened(-2, -1) && cleared(-1, -1) && cleared(-1, -2) && floored(-2, -2)) {
    add(at(-2, -1), step_kind::kGapDownLeft);
  }
  if (y > 1 && opened(1, 0) && opened(2, -1) && cleared(1, -1) && cleared(1, -2) && floored(2, -2)) {
    add(at(2, -1), step_kind::kGapDownRight);
  }
  if (y != 0 && below && opened(-2, 1) && opened(-1, 1) && opened(-1, 0) && cleared(-1, -1) && floored(-2, 0)) {
    add(at(-2, 1), step_kind::kGapUpLeft);
  }
  if (y != 0 && below && opened(2, 1) && opened(1, 1) && opened(1, 0) && cleared(1, -1) && floored(2, 0)) {
    add(at(2, 1), step_kind::kGapUpRight);
  }
  if (y < h - 1 && s.blocksMovement(props) && !s.hasLiquidKind()) add(at(0, 1), step_kind::kClimb);
  const MapBlock* under = at(0, -1);
  if (y != 0 && under != nullptr && under->blocksMovement(props) && !under->hasLiquidKind()) {
    for (int32_t dy = -2; y + dy >= 0; --dy) {
      const MapBlock* c = at(0, dy);
      if (c->hasLiquidKind()) break;
      if (floorAt(c, props)) {
        add(at(0, dy + 1), step_kind::kDropThrough);
        break;
      }
    }
  }
}
