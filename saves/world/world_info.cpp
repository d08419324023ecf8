#include "saves/world/world_info.h"

#include <algorithm>

#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"
#include "saves/container/data_stream_reader.h"
#include "saves/store/world_entry.h"
#include "saves/world/world_file_format.h"

namespace {

constexpr size_t kAuthorBytes = 16;
constexpr size_t kTailBytes = 128;
constexpr const char* kAuthor = "author";

void writePadded(engine::ByteWriter& out, const std::string& text, size_t bytes) {
  const size_t kept = std::min(text.size(), bytes);
  out.bytes({reinterpret_cast<const uint8_t*>(text.data()), kept});
  out.zeros(bytes - kept);
}

}  // namespace

void writeWorldParams(engine::ByteWriter& out, const WorldParams& params) {
  out.u32(params.planetId);
  out.u8(params.flags);
  out.u8(params.mode);
  out.u8(params.sizeIndex);
  out.u8(params.heightIndex);
  out.u32(params.extra);
}

WorldParams readWorldParams(engine::ByteReader& in) {
  WorldParams params;
  params.planetId = in.u32();
  params.flags = in.u8();
  params.mode = in.u8();
  params.sizeIndex = in.u8();
  params.heightIndex = in.u8();
  params.extra = in.u32();
  return params;
}

WorldInfo worldInfoOf(const WorldEntry& entry, uint16_t width, uint16_t height,
                      const PlayerCells& player) {
  WorldInfo info;
  info.saveId = entry.saveId;
  info.time = static_cast<uint32_t>(entry.time);
  info.build = world_file::kBuild;
  info.name = entry.displayName;
  info.width = width;
  info.height = height;
  info.player = player;
  info.params = entry.params;
  return info;
}

void writeWorldInfo(engine::ByteWriter& out, const WorldInfo& info) {
  out.bytes(info.saveId);
  out.u32(info.time);
  out.u32(info.build);
  writePadded(out, info.name, kWorldNameBytes);
  writePadded(out, kAuthor, kAuthorBytes);
  out.u16(info.width);
  out.u16(info.height);
  out.u16(info.player.x);
  out.u16(info.player.y);
  out.u16(info.player.spawnX);
  out.u16(info.player.spawnY);
  writeWorldParams(out, info.params);
  out.zeros(kTailBytes);
}

bool readWorldInfo(DataStreamReader& in, WorldInfo& info) {
  // The defaults laid out as a record, so that a short record keeps them for what it lacks.
  engine::ByteWriter defaults;
  writeWorldInfo(defaults, info);
  std::vector<uint8_t> bytes = defaults.release();
  if (in.openSection(world_file::kInfo) != nullptr &&
      !in.read({bytes.data(), std::min<size_t>(in.remaining(), kWorldInfoBytes)})) {
    return false;
  }
  engine::ByteReader record(bytes);
  record.bytes(info.saveId.data(), info.saveId.size());
  info.time = record.u32();
  info.build = record.u32();
  const std::span<const uint8_t> name = record.take(kWorldNameBytes);
  info.name.assign(name.begin(), std::find(name.begin(), name.end(), uint8_t{0}));
  record.skip(kAuthorBytes);
  info.width = record.u16();
  info.height = record.u16();
  info.player = {record.u16(), record.u16(), record.u16(), record.u16()};
  info.params = readWorldParams(record);
  return record.ok();
}
