#include "net/transfer/world_header.h"

#include <zlib.h>

#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"
#include "net/wire/wire_messages.h"
#include "saves/world/world_info.h"
#include "world/time/day_clock.h"

namespace {

constexpr size_t kHeaderBody = 40;
// A gzip stream wraps the deflated bytes in 18 bytes (10 of header, 8 of trailer), zlib's in 6.
constexpr uint64_t kGzipBeyondZlib = 12;


}  // namespace

bool isDayPhase(uint8_t phase) {
  return phase == static_cast<uint8_t>(DayPhase::Day) || phase == static_cast<uint8_t>(DayPhase::Dusk) ||
         phase == static_cast<uint8_t>(DayPhase::Night) || phase == static_cast<uint8_t>(DayPhase::Dawn);
}

uint64_t packedCellBytes(uint32_t width, uint32_t height) { return uint64_t{width} * height * 16; }

uint64_t compressedCellsBound(uint32_t width, uint32_t height) {
  return compressBound(static_cast<uLong>(packedCellBytes(width, height))) + kGzipBeyondZlib;
}

wire::WireOut worldHeaderMessage(const WorldHeader& header) {
  engine::ByteWriter body;
  body.u16(header.width);
  body.u16(header.height);
  body.u16(header.player.spawnX);
  body.u16(header.player.spawnY);
  body.u16(header.player.x);
  body.u16(header.player.y);
  body.u32(header.clockTicks);
  body.u8(header.clockPhase);
  body.u8(header.clockRunning);
  body.u8(header.weatherKind);
  body.u32(header.planetValue);
  body.u8(header.difficulty);
  writeWorldParams(body, header.params);
  body.u32(header.compressedLength);
  const std::vector<uint8_t> bytes = body.release();
  wire::WireOut out(wire::outgoing(wire::WorldDataMsg::WorldHeader, wire::Side::Host));
  out.raw(bytes);
  return out;
}

WorldHeader readWorldHeader(wire::WireIn& in) {
  engine::ByteReader body(in.raw(kHeaderBody));
  WorldHeader header;
  header.width = body.u16();
  header.height = body.u16();
  header.player.spawnX = body.u16();
  header.player.spawnY = body.u16();
  header.player.x = body.u16();
  header.player.y = body.u16();
  header.clockTicks = body.u32();
  header.clockPhase = body.u8();
  header.clockRunning = body.u8();
  header.weatherKind = body.u8();
  header.planetValue = body.u32();
  header.difficulty = body.u8();
  header.params = readWorldParams(body);
  header.compressedLength = body.u32();
  return header;
}

const char* headerFault(const WorldHeader& header) {
  if (!isLegalWorldSize(header.width, header.height)) return "a size no world has";
  const PlayerCells& cells = header.player;
  if (cells.spawnX >= header.width || cells.spawnY >= header.height) return "a spawn cell off the map";
  if (cells.x >= header.width || cells.y >= header.height) return "a player cell off the map";
  if (!isDayPhase(header.clockPhase)) return "no such day phase";
  if (header.compressedLength > compressedCellsBound(header.width, header.height)) {
    return "a compressed length past what the cells deflate to";
  }
  return nullptr;
}
