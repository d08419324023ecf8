#pragma once
// The world header [3][67] (42 bytes), the first message of a world transfer, from which the
// client builds its world:
//
//    2 u16 width        4 u16 height       6 u16 spawn column    8 u16 spawn row
//   10 u16 the joining player's column     12 u16 its row
//   14 u32 day-clock ticks                 18 u8 day phase (1, 2, 4, 8)
//   19 u8 the day clock's running byte     20 u8 weather kind (carried, not applied)
//   21 u32 the planet's id (carried)       25 u8 difficulty row (255: none)
//   26 12 bytes of `WorldParams`           38 u32 length of the compressed cells, 0 per column
//
// The header comes from the host and is distrusted: `headerFault` names what makes it unusable
// (a size no world has, a cell off the map, a phase that does not exist, a compressed length
// past what the cells can deflate to), and the client builds nothing from such a header.

#include <cstdint>
#include <optional>

#include "net/wire/wire_in.h"
#include "net/wire/wire_out.h"
#include "saves/world/world_info.h"
#include "world/map/world_params.h"

struct WorldHeader {
  static constexpr uint8_t kNoDifficulty = 255;

  uint16_t width = 0;
  uint16_t height = 0;
  PlayerCells player;  // the joining player's cell and spawn cell
  uint32_t clockTicks = 0;
  uint8_t clockPhase = 1;
  uint8_t clockRunning = 1;
  uint8_t weatherKind = 0;
  uint32_t planetValue = 0;
  uint8_t difficulty = kNoDifficulty;
  WorldParams params;
  uint32_t compressedLength = 0;  // 0: the cells come column by column
};

// The 16-byte packed cells of a world of this size, and the longest gzip stream they can become:
// zlib's `compressBound` of them, plus what a gzip wrapper adds beyond zlib's own.
uint64_t packedCellBytes(uint32_t width, uint32_t height);
uint64_t compressedCellsBound(uint32_t width, uint32_t height);

// One of the day clock's four phases (1, 2, 4, 8).
bool isDayPhase(uint8_t phase);

wire::WireOut worldHeaderMessage(const WorldHeader& header);
WorldHeader readWorldHeader(wire::WireIn& in);
// Why the client can build no world from the header; null when it can.
const char* headerFault(const WorldHeader& header);
