#pragma once
// The column one step left or right of a column in 0..width-1, brought back into the map without
// the division `WorldMap::wrapX` takes for any column at all: the walks that step one cell at a
// time (floods, spreads, cave carving) take it for every cell they look at.

#include <cstdint>

inline int32_t neighbourColumn(int32_t x, int32_t width) { return x < 0 ? x + width : (x >= width ? x - width : x); }
