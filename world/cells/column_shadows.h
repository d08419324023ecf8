#pragma once
// The shadow edges of a whole column of cells at once (see MapBlock::computeShadowEdges).

#include <cstdint>

class BlockPropsTable;
class MapBlock;

// The shadow edges of a whole column of `height` cells between the columns left and right of it
// (the same rows), rows below `undergroundTop` counted as underground: one call a column, so a
// pass over the whole map pays no call and no neighbour list for each of its two million cells.
void computeColumnShadowEdges(const BlockPropsTable& props, MapBlock* column, const MapBlock* left,
                              const MapBlock* right, int32_t height, int32_t undergroundTop);
