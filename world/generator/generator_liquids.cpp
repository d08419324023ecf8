#include "world/generator/generator_liquids.h"

#include "content/items/block_edit.h"
#include "world/cells/map_block.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"

namespace {

// A world being generated has no game, no view and no peers yet: the liquid edits change the
// cells and nothing else. Light comes later from the whole-map relight, which sees lava and acid
// by their liquid kind.
void applyToMapOnly(WorldMap& map, const BlockEdit& edit) {
  MapBlock* cell = map.cellAt(edit.x, edit.y);
  if (cell == nullptr) return;
  switch (edit.kind) {
    case 18:
    case 19:
      cell->liquid = edit.valueByte(0);
      break;
    case 7:
      cell->setLayer(0, 0, edit.layer);
      break;
    case 6:
      cell->setLayer(edit.blockId, edit.variant, edit.layer);
      break;
    default:
      break;
  }
}

// Settling stops after this many steps even if the liquid still moves; what is left pending flows
// on once the game runs its liquid steps.
constexpr uint32_t kMaxSettleSteps = 4096;

}  // namespace

void makeLiquidSource(WorldMap& map, MapBlock& cell, uint8_t kind) {
  LiquidSimulator& liquids = map.liquids();
  if (!liquids.running()) {
    liquids.beginSettling([&map](const BlockEdit& edit) { applyToMapOnly(map, edit); });
  }
  liquids.activateCell(cell, kind);
}

uint32_t settleLiquids(WorldMap& map, const std::function<void()>& beforeStep) {
  LiquidSimulator& liquids = map.liquids();
  if (!liquids.running()) return 0;
  uint32_t steps = 0;
  while (steps < kMaxSettleSteps) {
    if (beforeStep) beforeStep();
    if (!liquids.settleStep()) break;
    ++steps;
  }
  return steps;
}

void finishLiquids(WorldMap& map) {
  LiquidSimulator& liquids = map.liquids();
  if (liquids.running()) liquids.endSettling();
}
