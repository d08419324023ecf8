#pragma once
// A map column as the per-column form of the world transfer carries it: each cell's 24 bytes,
// field by field in the cell's own order, little-endian:
//
//    0 u16 front word    2 u16 back word     4 4 x u16 decorations    12 u16 column   14 u16 row
//   16 u8 sky level and shadow edges         17 u8 reserved           18 u16 block light
//   20 u8, u8 the circuit bytes              22 u8 flags              23 u8 liquid
//
// The receiver does not take a cell's position from the wire: the column and row fields of
// each cell it writes are the column the message names and the cell's own row. Pure functions;
// any thread.

#include <cstddef>
#include <cstdint>
#include <span>

class MapBlock;
namespace engine {
class ByteWriter;
}

inline constexpr size_t kRawCellBytes = 24;

void writeRawCells(engine::ByteWriter& out, std::span<const MapBlock> cells);
// Writes the bytes into the column's cells (row 0 first); false, and nothing written, unless
// the bytes are exactly the column's cells.
bool readRawColumn(std::span<const uint8_t> bytes, std::span<MapBlock> column, uint16_t x);
