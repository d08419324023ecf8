#include "net/transfer/world_pieces.h"

std::vector<uint64_t> pieceEnds(uint64_t length) {
  std::vector<uint64_t> ends;
  const uint64_t piece = length / kWorldPieces;
  if (piece != 0) {
    ends.reserve(kWorldPieces + 1);
    for (uint64_t i = 1; i <= kWorldPieces; ++i) ends.push_back(i * piece);
  }
  if (length % kWorldPieces != 0) ends.push_back(length);
  return ends;
}
