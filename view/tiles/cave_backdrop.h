#pragma once
// What shows behind an open cell that has no back block: the cave wall where the ground continues
// behind the cell, the sky (nothing of the window's own) where the cell is really open.
//
// The ground is what the generator cut the sky out of: only cells below their column's surface
// line can have it behind them. Below that line a cell shows the wall when the ground covers it
// (something above it in its column stops light or movement: the column's top height is above
// it), or when ground stands more than 3 rows above it on both sides within two columns, so that a
// narrow shaft open to the sky keeps its wall while the open air of a cave mouth, a cliff, a wide
// pit or a crater shows the sky. A dip of up to 3 rows that nothing covers shows the sky, on the
// surface as on the floor of a valley below the surface line.

class MapBlock;
class WorldMap;

bool showsCaveWall(const WorldMap& map, const MapBlock& cell);
