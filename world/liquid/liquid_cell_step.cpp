// Recomputing one cell of a liquid step: what falls in from above, what spreads in from each side
// while that side rests on something, the levelling of the two halves of a resting cell, liquids
// meeting, the edit that records the result and the neighbours that need another look.

#include <algorithm>

#include "content/items/block_edit.h"
#include "world/cells/map_block.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"

namespace {

constexpr uint16_t kMeetingBlock = 82;
constexpr uint8_t kFull = 4;

int fromRight(const MapBlock& c) { return c.liquid & 7; }
int fromLeft(const MapBlock& c) { return (c.liquid >> 3) & 7; }
bool holdsLevel(const MapBlock* c) { return c != nullptr && (c->liquid & 0x3F) != 0; }
uint8_t kindOf(const MapBlock* c) { return c != nullptr ? static_cast<uint8_t>(c->liquid >> 6) : 0; }
bool isSource(const MapBlock& c) { return c.hasFlag(cell_flag::kLiquidSource); }
bool partlyFilled(int level) { return level >= 1 && level <= 3; }

BlockEdit liquidEdit(const MapBlock& c, uint8_t kind, uint8_t value, uint8_t oldKind) {
  BlockEdit edit;
  makeBlockValue(edit, c.x, c.y, kind, 0, 0, 0, 0);
  edit.setValueByte(0, value);
  edit.setValueByte(1, oldKind);
  return edit;
}

// What one side offers: the new level from it, whether it gave anything, and its kind.
struct SideFlow {
  int level = 0;
  bool gave = false;
  uint8_t kind = 0;
};

// The side cell rests on something and is open: a source or liquid above it fills to 4; otherwise
// it passes its own level on that side less one, when that is at least what the cell holds there.
SideFlow flowFrom(const MapBlock* side, bool sideOpen, bool sideRests, const MapBlock* aboveSide,
                  bool aboveSideOpen, int sideLevel, int ownLevel) {
  SideFlow flow;
  if (!sideRests || !sideOpen) return flow;
  if (isSource(*side) || (aboveSideOpen && holdsLevel(aboveSide))) {
    flow.level = kFull;
    flow.gave = true;
  } else if (sideLevel - 1 >= ownLevel) {
    flow.level = sideLevel - 1;
    flow.gave = true;
  }
  if (flow.gave) flow.kind = kindOf(side);
  return flow;
}

}  // namespace

void LiquidSimulator::recompute(MapBlock& c) {
  map_.markChanged(c);
  if (!isOpenForLiquid(&c)) {
    c.flags &= static_cast<uint8_t>(~cell_flag::kLiquidSource);
    c.liquid = 0;
    return;
  }
  MapBlock* up = c.neighbourUp(map_);
  MapBlock* down = c.neighbourDown(map_);
  MapBlock* left = c.neighbourLeft(map_);
  MapBlock* right = c.neighbourRight(map_);
  const MapBlock* upLeft = c.neighbourAt(map_, -1, 1);
  const MapBlock* upRight = c.neighbourAt(map_, 1, 1);
  const bool upOpen = isOpenForLiquid(up), downOpen = isOpenForLiquid(down);
  const bool leftOpen = isOpenForLiquid(left), rightOpen = isOpenForLiquid(right);
  const bool leftRests = !isOpenForLiquid(c.neighbourAt(map_, -1, -1));
  const bool rightRests = !isOpenForLiquid(c.neighbourAt(map_, 1, -1));
  const uint8_t oldKind = static_cast<uint8_t>(c.liquidKind());
  const uint8_t oldLiquid = c.liquid;

  int newLeft = 0, newRight = 0;
  uint8_t aboveKind = 0;
  const bool fed = isSource(c) || (upOpen && holdsLevel(up));
  if (fed) {
    newLeft = newRight = kFull;
    aboveKind = kindOf(up);
  }
  SideFlow fromL = flowFrom(left, leftOpen, leftRests, upLeft, isOpenForLiquid(upLeft),
                            leftOpen ? fromLeft(*left) : 0, fromLeft(c));
  if (fromL.gave) newLeft = std::max(newLeft, fromL.level);
  SideFlow fromR = flowFrom(right, rightOpen, rightRests, upRight, isOpenForLiquid(upRight),
                            rightOpen ? fromRight(*right) : 0, fromRight(c));
  if (fromR.gave) newRight = std::max(newRight, fromR.level);

  if (!fed) {
    if (!downOpen) {  // a resting cell levels its two halves
      if (fromR.gave && newRight - 1 > newLeft) {
        newLeft = newRight - 1;
        fromL.gave = false;
      } else if (fromL.gave && newLeft - 1 > newRight) {
        newRight = newLeft - 1;
        fromR.gave = false;
      }
    }
    if (!fromL.gave && !fromR.gave) newLeft = newRight = 0;
  }

  uint8_t kind = oldKind;
  bool met = false;
  if (!isSource(c)) {
    const uint8_t arrived[3] = {fed ? aboveKind : uint8_t{0}, fromL.gave ? fromL.kind : uint8_t{0},
                                fromR.gave ? fromR.kind : uint8_t{0}};
    for (uint8_t k : arrived) {
      if (kind == 0) {
        kind = k;
      } else if (k != 0 && k != kind) {
        met = true;
        break;
      }
    }
  }
  if (met) {
    BlockEdit remove;
    makeBlockValue(remove, c.x, c.y, 7, 0, 0, 0, 0);
    apply(remove);
    BlockEdit stone;
    makeBlockValue(stone, c.x, c.y, 6, kMeetingBlock, RANDOM_BLOCK_VARIANT, 0, 0);
    apply(stone);
    newLeft = newRight = 0;
  }

  const bool empty = (newLeft == 0 && newRight == 0) || kind == 0;
  const uint8_t value = empty ? 0 : static_cast<uint8_t>(kind << 6 | newLeft << 3 | newRight);
  if (value != oldLiquid || met) {
    apply(liquidEdit(c, empty ? 19 : 18, value, oldKind));
  } else {
    followUpUnchanged(c, empty);
  }
  requeueAround(c, up, down, left, right, fed, newLeft, newRight);
}

void LiquidSimulator::requeueAround(MapBlock& c, MapBlock* up, MapBlock* down, MapBlock* left,
                                    MapBlock* right, bool fed, int newLeft, int newRight) {
  const bool leftOpen = isOpenForLiquid(left), rightOpen = isOpenForLiquid(right);
  if (!isOpenForLiquid(down)) {
    if (leftOpen && newLeft != fromRight(*left)) requeue(*left);
    if (rightOpen && newRight != fromLeft(*right)) requeue(*right);
  } else {
    if ((holdsLevel(&c) && fromLeft(*down) + fromRight(*down) < 8) || (!holdsLevel(&c) && holdsLevel(down))) {
      requeue(*down);
    }
    if (leftOpen && fromRight(*left) != 0 && newLeft == 0) requeue(*left);
    if (rightOpen && fromLeft(*right) != 0 && newRight == 0) requeue(*right);
  }
  if (fed && up != nullptr && (partlyFilled(fromLeft(*up)) || partlyFilled(fromRight(*up)))) requeue(*up);
  if (holdsLevel(&c) && c.liquidKind() == LiquidKind::None) requeue(c);
}
