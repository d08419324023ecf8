#pragma once
// The 16-byte packed form of a map cell, used by the world file and the world transfer:
//   0  u16 front block word      2  u16 back block word      4  4 x u16 decorations
//  12  u8, u8 the circuit bytes  14  u8 liquid byte
//  15  bits 0-2 the block state (flags bits 4-6), bit 3 the liquid-source flag (flags bit 3)
// Position, sky level, shadow edges, block light and the other flag bits are not kept: the
// loader recomputes them. Whole records are written and read at once (two million cells make a
// call per field cost as much as compressing them). Pure functions; any thread.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

class MapBlock;
namespace engine {
class ByteWriter;
}

using PackedCell = std::array<uint8_t, 16>;

// One cell's record, for whoever hashes or sends cells without a packed buffer.
PackedCell packMapBlock(const MapBlock& cell);

// The cells packed in their order (16 bytes each), appended to `out`, which is grown once for
// all of them.
void packMapBlocks(engine::ByteWriter& out, std::span<const MapBlock> cells);

// Writes packed cells into the map's cells (column by column, index y + x * height): position,
// block words, decorations, circuit and liquid bytes, the block state and the source flag. Every
// other bit of a cell keeps its value. False (nothing written) when the sizes do not match.
bool unpackMapBlocks(std::span<const uint8_t> packed, std::span<MapBlock> cells, int32_t width,
                     int32_t height);

// A revision 0 cell body: every cell whose front block is the retired 0x963 becomes 0x961 (its
// variant and layer mark kept) with block state 4.
void convertRetiredCells(std::span<uint8_t> packed);
