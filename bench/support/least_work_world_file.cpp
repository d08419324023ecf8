#include "bench/support/least_work_world_file.h"

#include <libdeflate.h>

#include <cstdio>

#include "world/cells/map_block.h"
#include "world/light/light_map.h"
#include "world/map/world_map.h"

namespace bench {
namespace {

constexpr size_t kRecord = 16;
constexpr size_t kHeader = 12;
constexpr size_t kEntry = 12;
constexpr uint16_t kCellSection = 2;
constexpr uint16_t kSurfaceSection = 4;

void put16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}
uint16_t get16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }
uint32_t get32(const uint8_t* at) { return uint32_t{get16(at)} | uint32_t{get16(at + 2)} << 16; }

void packCells(std::span<const MapBlock> cells, uint8_t* out) {
  for (const MapBlock& c : cells) {
    put16(out, c.front);
    put16(out + 2, c.back);
    for (size_t i = 0; i < 4; ++i) put16(out + 4 + 2 * i, c.decos[i]);
    out[12] = c.circuitA;
    out[13] = c.circuitB;
    out[14] = c.liquid;
    out[15] = static_cast<uint8_t>(((c.flags >> 4) & 7) | (c.flags & 8));
    out += kRecord;
  }
}

void unpackCells(const uint8_t* in, WorldMap& map) {
  MapBlock* c = map.cells();
  for (int32_t x = 0; x < map.width(); ++x) {
    for (int32_t y = 0; y < map.height(); ++y, ++c, in += kRecord) {
      c->x = static_cast<uint16_t>(x);
      c->y = static_cast<uint16_t>(y);
      c->front = get16(in);
      c->back = get16(in + 2);
      for (size_t i = 0; i < 4; ++i) c->decos[i] = get16(in + 4 + 2 * i);
      c->circuitA = in[12];
      c->circuitB = in[13];
      c->liquid = in[14];
      c->flags = static_cast<uint8_t>((c->flags & ~0x78) | ((in[15] & 7) << 4) | (in[15] & 8));
    }
  }
}

}  // namespace

LeastWorkCellSave::LeastWorkCellSave(int level) : compressor_(libdeflate_alloc_compressor(level)) {}

LeastWorkCellSave::~LeastWorkCellSave() { libdeflate_free_compressor(compressor_); }

std::span<const uint8_t> LeastWorkCellSave::deflate(std::span<const MapBlock> cells) {
  packed_.resize(cells.size() * kRecord);
  packCells(cells, packed_.data());
  room_.resize(libdeflate_gzip_compress_bound(compressor_, packed_.size()));
  const size_t size =
      libdeflate_gzip_compress(compressor_, packed_.data(), packed_.size(), room_.data(), room_.size());
  return {room_.data(), size};
}

std::vector<uint8_t> readWholeFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  std::fseek(file, 0, SEEK_END);
  bytes.resize(static_cast<size_t>(std::ftell(file)));
  std::fseek(file, 0, SEEK_SET);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  std::fclose(file);
  return bytes;
}

namespace {

// The stored body of a section, or an empty span when the file has none whole.
std::span<const uint8_t> sectionOf(const std::vector<uint8_t>& file, uint16_t id) {
  if (file.size() < kHeader) return {};
  const size_t entries = get16(file.data() + 6);
  for (size_t i = 0; i < entries && kHeader + (i + 1) * kEntry <= file.size(); ++i) {
    const uint8_t* entry = file.data() + kHeader + i * kEntry;
    const size_t offset = get32(entry + 4), size = get32(entry + 8);
    if (get16(entry) == id && offset + size <= file.size()) return {file.data() + offset, size};
  }
  return {};
}

}  // namespace

bool leastWorkLoadCells(const std::string& path, WorldMap& map) {
  const std::vector<uint8_t> file = readWholeFile(path);
  // The surface line decides which cells lie underground, which the shadows ask.
  const std::span<const uint8_t> surface = sectionOf(file, kSurfaceSection);
  const std::span<const uint8_t> cells = sectionOf(file, kCellSection);
  if (surface.size() != map.surfaceLines().size() * 2 || cells.empty()) return false;
  for (size_t x = 0; x < map.surfaceLines().size(); ++x) map.surfaceLines()[x] = get16(&surface[2 * x]);
  std::vector<uint8_t> packed(map.cellCount() * kRecord);
  libdeflate_decompressor* inflater = libdeflate_alloc_decompressor();
  const libdeflate_result result =
      libdeflate_gzip_decompress(inflater, cells.data(), cells.size(), packed.data(), packed.size(), nullptr);
  libdeflate_free_decompressor(inflater);
  if (result != LIBDEFLATE_SUCCESS) return false;
  unpackCells(packed.data(), map);
  map.lightMap().relightAllWithShadows();
  map.computeSurfaceHeights();
  return true;
}

}  // namespace bench
