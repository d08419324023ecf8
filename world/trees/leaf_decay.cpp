#include "world/trees/leaf_decay.h"

#include <iterator>

#include "content/items/block_edit.h"
#include "engine/base/random.h"
#include "world/cells/block_flags.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"

namespace {

template <typename Visit>
void forSquareAround(WorldMap& map, const MapBlock& cell, Visit visit) {
  for (int dx = -LeafDecay::kReach; dx <= LeafDecay::kReach; ++dx) {
    for (int dy = -LeafDecay::kReach; dy <= LeafDecay::kReach; ++dy) {
      if (dx == 0 && dy == 0) continue;
      if (const MapBlock* near = map.cellAt(cell.x + dx, cell.y + dy); near != nullptr && visit(*near)) return;
    }
  }
}

}  // namespace

size_t LeafDecay::keyOf(const MapBlock& cell, uint8_t layer) const { return map_.indexOf(cell) * 2 + (layer & 1); }

bool LeafDecay::contains(const MapBlock& cell, uint8_t layer) const { return entries_.count(keyOf(cell, layer)) != 0; }

std::vector<std::pair<const MapBlock*, uint8_t>> LeafDecay::entries() const {
  std::vector<std::pair<const MapBlock*, uint8_t>> out;
  out.reserve(entries_.size());
  for (size_t key : entries_) out.emplace_back(&map_.cells()[key / 2], static_cast<uint8_t>(key % 2));
  return out;
}

void LeafDecay::registerAround(const MapBlock& cell) {
  forSquareAround(map_, cell, [&](const MapBlock& near) {
    if (map_.props()[near.frontId()].has(block_flag::kLeaves)) entries_.insert(keyOf(near, MapBlock::kFront));
    return false;
  });
}

bool LeafDecay::hasSupportNear(const MapBlock& cell) const {
  bool found = false;
  forSquareAround(map_, cell, [&](const MapBlock& near) {
    found = map_.props()[near.frontId()].has(block_flag::kSupportsLeaves);
    return found;
  });
  return found;
}

void LeafDecay::decayRandomLeaf(LogicCells& rules) {
  if (entries_.empty()) return;
  auto picked = std::next(entries_.begin(), static_cast<std::ptrdiff_t>(engine::randomNext() % entries_.size()));
  const size_t key = *picked;
  entries_.erase(picked);
  MapBlock& cell = map_.cells()[key / 2];
  const uint8_t layer = static_cast<uint8_t>(key % 2);
  if (!map_.props()[block_word::id(cell.layerWord(layer))].has(block_flag::kLeaves)) return;
  if (hasSupportNear(cell)) return;
  BlockEdit edit;
  makeBlockValue(edit, cell.x, cell.y, edit_kind::kRemoveLayer, 0, 0, layer, 0);
  edit.slot = 255;
  edit.extra = 0;  // no drops
  rules.editBlock(edit, nullptr);
}
