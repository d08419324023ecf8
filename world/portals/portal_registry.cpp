#include "world/portals/portal_registry.h"

#include "content/items/block_edit.h"
#include "world/edits/cell_edit.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/portals/portal_list.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

constexpr uint16_t kSoundPortalMade = 63;
constexpr uint16_t kSoundPortalRemoved = 64;

struct FrameRow {
  uint16_t block;
  uint32_t target;
};

// Rows in table order; lookup takes the first row of a block.
constexpr FrameRow kFrames[] = {{2755, 1},    {2760, 2},   {2756, 4},   {2756, 4},    {2757, 8},
                                {2759, 64},   {2758, 16},  {2762, 32},  {2757, 8},    {2761, 128},
                                {2763, 256},  {2760, 2},   {2764, 512}, {2763, 256},  {2755, 1},
                                {2765, 1024}, {2765, 1024}, {2764, 512}, {2766, 2048}, {2759, 64}};

}  // namespace

uint32_t portalTargetForFrame(uint16_t frameBlock) {
  for (const FrameRow& row : kFrames) {
    if (row.block == frameBlock) return row.target;
  }
  return 0;
}

uint32_t PortalRegistry::planet() const { return map_.params().planetId; }

// The empty cell that the frame block completes, in the order of the three shapes (the block as
// the left side, the top, the right side); null when no shape is whole.
MapBlock* PortalRegistry::frameEnclosure(const MapBlock& cell) {
  const uint16_t frame = cell.frontId();
  const int x = cell.x, y = cell.y;
  auto is = [&](int cx, int cy) {
    const MapBlock* c = map_.cellAt(cx, cy);
    return c != nullptr && c->frontId() == frame;
  };
  auto empty = [&](int cx, int cy) {
    MapBlock* c = map_.cellAt(cx, cy);
    return c != nullptr && c->frontId() == 0 ? c : nullptr;
  };
  if (is(x + 1, y + 1) && is(x + 2, y)) {
    if (MapBlock* e = empty(x + 1, y)) return e;
  }
  if (is(x - 1, y - 1) && is(x + 1, y - 1)) {
    if (MapBlock* e = empty(x, y - 1)) return e;
  }
  if (is(x - 2, y) && is(x - 1, y + 1)) {
    if (MapBlock* e = empty(x - 1, y)) return e;
  }
  return nullptr;
}

void PortalRegistry::noteFrameAt(MapBlock& cell) {
  World* world = map_.world();
  if (world == nullptr || !world->portalsWork()) return;
  MapBlock* enclosed = frameEnclosure(cell);
  if (enclosed == nullptr) return;
  LogicCells& rules = world->rules();
  LogicPlayers& players = world->rules();
  players.playSound(*enclosed, kSoundPortalMade, 0);
  BlockEdit edit = editForCell(*enclosed, edit_kind::kReplace, kPortalBlock);
  edit.variant = randomVariantFor(map_.props(), kPortalBlock);
  edit.layer = MapBlock::kFront;
  edit.slot = 255;
  rules.editBlock(edit, nullptr);
  world->portalList().addPortal(planet(), enclosed->x, enclosed->y, portalTargetForFrame(cell.frontId()));
}

void PortalRegistry::removeFrameAt(MapBlock& cell) {
  World* world = map_.world();
  if (world == nullptr || !world->portalsWork()) return;
  LogicCells& rules = world->rules();
  LogicPlayers& players = world->rules();
  for (MapBlock* n : {cell.neighbourUp(map_), cell.neighbourLeft(map_), cell.neighbourRight(map_), cell.neighbourDown(map_)}) {
    if (n == nullptr) continue;
    for (uint8_t layer : {MapBlock::kFront, MapBlock::kBack}) {
      if (block_word::id(n->layerWord(layer)) != kPortalBlock) continue;
      BlockEdit edit = editForCell(*n, edit_kind::kRemoveLayer);
      edit.layer = layer;
      edit.slot = 255;
      edit.extra = 0;
      rules.editBlock(edit, nullptr);
      players.playSound(*n, kSoundPortalRemoved, 0);
      world->portalList().removePortal(planet(), n->x, n->y);
    }
  }
}
