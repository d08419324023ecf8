#pragma once
// The one side rule entities keep beyond the bodies' shared side tests (world/cells/cell_sides.h):
// a beam (block 374, variant 0) in front or among the decorations holds a body in its cell from
// above.

class MapBlock;

bool entityHeldFromAbove(const MapBlock& cell);
