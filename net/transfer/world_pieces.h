#pragma once
// How the cells of a world are cut into messages. The compressed form sends one gzip stream of
// the packed cells in 256 pieces of length / 256 bytes and, when the division leaves a remainder,
// one last piece of it (so at most 257 messages, whatever the world's size); a stream shorter
// than 256 bytes has empty pieces, which are not sent. The per-column form sends one gzip stream
// of each column's raw 24-byte cells (raw_cell_column.h). Pure functions; any thread.

#include <cstdint>
#include <vector>

inline constexpr uint32_t kWorldPieces = 256;

// Where each piece ends in the stream, in order; the last end is the length.
std::vector<uint64_t> pieceEnds(uint64_t length);
