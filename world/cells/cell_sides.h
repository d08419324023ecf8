#pragma once
// How a cell stops a moving body at each of its sides; the body physics of players and of
// entities share these tests.
//
// A full block (its definition's passable byte, byte 22, is 0) stops a body from every side. A
// platform (a passable block with the solid flag, bit 23, or a cell whose only solid part is a
// decoration) stops a body falling onto it and nothing else, so bodies jump up through it, walk
// through it and drop down through it: wooden platforms and bridges, furniture, a tree's trunk.
// The solid flag says where a body may stand, the passable byte whether it may pass. A closed
// trapdoor (block 2090 in variant 1) stops bodies on every side. A piston head (block 2118) stands
// against one side of its cell: the left in state 3, the right in state 1.
//
// A shaped block (the switchable blocks: doors, trapdoors, lamps) stands against one side of its
// cell while shut (variant 0): the left side in block state 0, the right side in state 4 (the
// mirrored one). That side stops a body both coming in and going out, so a shut door keeps a body
// out of its cell from that side and in it from the other; every other side of the cell is open.

#include "world/cells/block_flags.h"
#include "world/cells/block_props.h"
#include "world/cells/map_block.h"

namespace cell_sides {
constexpr uint16_t kTrapdoor = 2090;
constexpr uint16_t kPistonHead = 2118;
constexpr uint8_t kLeftSideState = 0;
constexpr uint8_t kRightSideState = 4;
constexpr uint8_t kHeadLeftState = 3;
constexpr uint8_t kHeadRightState = 1;
}  // namespace cell_sides

// A body can pass no side of the cell. An empty cell is open whatever its row says.
inline bool isImpassable(const MapBlock* cell, const BlockPropsTable& props) {
  return cell != nullptr && cell->frontId() != 0 && props[cell->frontId()].transparency == 0;
}
inline bool isPlatformCell(const MapBlock* cell, const BlockPropsTable& props) {
  return cell != nullptr && cell->blocksMovement(props) && !isImpassable(cell, props);
}
inline bool isClosedTrapdoor(const MapBlock* cell) {
  return cell != nullptr && cell->frontId() == cell_sides::kTrapdoor && cell->frontVariant() == 1;
}
inline bool isPistonHeadIn(const MapBlock* cell, uint8_t state) {
  return cell != nullptr && cell->frontId() == cell_sides::kPistonHead && cell->blockState() == state;
}
// A shut shaped block standing against the side its state names.
inline bool isShapedSideIn(const MapBlock* cell, const BlockPropsTable& props, uint8_t state) {
  return cell != nullptr && props[cell->frontId()].has(block_flag::kCircuitOutput) && cell->frontVariant() == 0 &&
         cell->blockState() == state;
}

inline bool blocksEntryFromAbove(const MapBlock* cell, const BlockPropsTable& props) {
  return isImpassable(cell, props) || (cell != nullptr && (cell->blocksMovement(props) || isClosedTrapdoor(cell)));
}
inline bool blocksEntryFromBelow(const MapBlock* cell, const BlockPropsTable& props) {
  return isImpassable(cell, props) || isClosedTrapdoor(cell);
}
// Entering the cell through its left side, moving right.
inline bool blocksEntryFromLeft(const MapBlock* cell, const BlockPropsTable& props) {
  return isImpassable(cell, props) || isClosedTrapdoor(cell) || isShapedSideIn(cell, props, cell_sides::kLeftSideState) ||
         isPistonHeadIn(cell, cell_sides::kHeadLeftState);
}
// Entering the cell through its right side, moving left.
inline bool blocksEntryFromRight(const MapBlock* cell, const BlockPropsTable& props) {
  return isImpassable(cell, props) || isClosedTrapdoor(cell) || isShapedSideIn(cell, props, cell_sides::kRightSideState) ||
         isPistonHeadIn(cell, cell_sides::kHeadRightState);
}
// Leaving the body's own cell through its left side, or through its right side.
inline bool blocksExitLeft(const MapBlock* cell, const BlockPropsTable& props) {
  return isShapedSideIn(cell, props, cell_sides::kLeftSideState);
}
inline bool blocksExitRight(const MapBlock* cell, const BlockPropsTable& props) {
  return isShapedSideIn(cell, props, cell_sides::kRightSideState);
}

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
