#pragma once
// The shadow edges of whole columns of cells at once (see MapBlock::computeShadowEdges), from one
// byte of traits per cell: what the edges read of a cell and of its four neighbours. A pass over a
// whole map classifies each column's cells once, as they lie in memory, and then works out the
// column's edges from its own bytes and those of the columns beside it: no call, no neighbour list
// and no block-table look-up for each of the two million cells.

#include <cstdint>

class BlockPropsTable;
class MapBlock;

namespace shadow_trait {
constexpr uint8_t kOpaque = 0x01;      // the front block is opaque
constexpr uint8_t kFullyClear = 0x02;  // the front block is fully clear
constexpr uint8_t kScanOpaque = 0x04;  // opaque for surface and shadow scans
constexpr uint8_t kHasBack = 0x08;     // a block stands behind
constexpr uint8_t kMask = 0x0F;
}  // namespace shadow_trait

// The traits of one cell.
uint8_t shadowTraitsOf(const BlockPropsTable& props, const MapBlock& cell);

// The shadow edges (bits 0-3: up, right, down, left) of a column of `height` cells into `edges`,
// from the traits of the column and of the columns left and right of it, each with a row of 0 below
// the first and above the last (a row outside the map darkens no edge); rows below `undergroundTop`
// count as underground.
void columnShadowEdges(const uint8_t* left, const uint8_t* mid, const uint8_t* right, int32_t height,
                       int32_t undergroundTop, uint8_t* edges);
