#pragma once
// What shows behind an open cell that has no back block: the cave wall where the ground continues
// behind the cell, the sky (nothing of the window's own) where the cell is really open.
//
// The ground is what the generator cut the sky out of: only cells below their column's surface
// line can have it behind them. Below that line a cell shows the wall when the ground covers it
// (something above it in its column stops light or movement: the column's top height is above
// it), or when it lies more than 3 rows below the line with ground standing at its height on both
// sides within two columns, so that a narrow shaft open to the sky keeps its wall while the open
// air of a cave mouth, a cliff, a wide pit or a crater shows the sky. A dip of up to 3 rows at the
// surface that nothing covers shows the sky.

class MapBlock;
class WorldMap;

bool showsCaveWall(const WorldMap& map, const MapBlock& cell);
