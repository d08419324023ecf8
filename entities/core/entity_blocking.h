#pragma once
// How a cell stops an entity at each side: the players' body tests (world/cells/cell_sides.h)
// and the few blocks that stop entities beyond them: a closed trapdoor (block 2090, variant 1)
// on every side, a hatch (block 2118) from the left in state 3 and from the right in state 1, and
// a beam (block 374, variant 0) in front or among the decorations that holds a body in its cell
// from above. A missing cell (above the top row, below row 0) blocks nothing here: the callers
// treat it as a wall.

class BlockPropsTable;
class MapBlock;

bool entityBlockedFromBelow(const MapBlock* cell, const BlockPropsTable& props);
bool entityBlockedFromAbove(const MapBlock* cell, const BlockPropsTable& props);
bool entityBlockedFromLeft(const MapBlock* cell, const BlockPropsTable& props);
bool entityBlockedFromRight(const MapBlock* cell, const BlockPropsTable& props);
// Leaving the own cell sideways; shaped blocks that stop it do not exist yet.
bool entityBlockedExitLeft(const MapBlock* cell, const BlockPropsTable& props);
bool entityBlockedExitRight(const MapBlock* cell, const BlockPropsTable& props);
// A beam holds the body in its own cell from above.
bool entityHeldFromAbove(const MapBlock& cell);
