#pragma once
// How a cell stops a moving body at each of its sides; the body physics of players and of
// entities share these tests. A full block that blocks movement stops a body from every side.
// A platform (a blocking block drawn as an attachment, transparency 2 or 3, or a cell whose only
// blocking part is a decoration) stops a body falling onto it and nothing else, so bodies jump up
// through it, walk through it and drop down through it. Shaped blocks that stop a body leaving
// its own cell do not exist yet, so the exit tests are false.

#include "world/cells/block_flags.h"
#include "world/cells/block_props.h"
#include "world/cells/map_block.h"

inline bool isPlatformCell(const MapBlock* cell, const BlockPropsTable& props) {
  if (cell == nullptr || !cell->blocksMovement(props)) return false;
  const BlockProps& front = props[cell->frontId()];
  return !front.has(block_flag::kSolid) || front.transparency >= 2;
}
inline bool blocksEntryFromAbove(const MapBlock* cell, const BlockPropsTable& props) {
  return cell != nullptr && cell->blocksMovement(props);
}
inline bool blocksEntryFromBelow(const MapBlock* cell, const BlockPropsTable& props) {
  return blocksEntryFromAbove(cell, props) && !isPlatformCell(cell, props);
}
inline bool blocksEntryFromSide(const MapBlock* cell, const BlockPropsTable& props) {
  return blocksEntryFromBelow(cell, props);
}
inline bool blocksExitSide(const MapBlock*, const BlockPropsTable&) { return false; }

inline bool isClimbable(const MapBlock* cell, const BlockPropsTable& props) {
  return cell != nullptr && props[cell->frontId()].has(block_flag::kClimbable);
}
inline bool hasLowFriction(const MapBlock* cell, const BlockPropsTable& props) {
  return cell != nullptr && props[cell->frontId()].has(block_flag::kLowFriction);
}
// Both liquid amounts at 4.
inline bool isFullOfLiquid(const MapBlock* cell) {
  return cell != nullptr && cell->isFullOfLiquid();
}
