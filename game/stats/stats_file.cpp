#include "game/stats/stats_file.h"

#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"

namespace {

constexpr size_t kRecordBytes = 6;

}  // namespace

std::vector<uint8_t> writeStatsBytes(const StatsRecord& stats) {
  engine::ByteWriter out;
  out.reserve(4 + 4 * kStatCounterCount + 4 + 8 * kStatCategoryCount);
  for (char c : {'R', 'B', 'S', 'W'}) out.u8(static_cast<uint8_t>(c));
  for (uint32_t counter : stats.counters) out.u32(counter);
  out.u32(kStatCategoryCount);
  for (uint32_t index = 0; index < kStatCategoryCount; ++index) {
    const auto& category = stats.categories[index];
    out.u32(index);
    out.u32(static_cast<uint32_t>(category.size()));
    for (const auto& [id, count] : category) {
      out.u32(count);
      out.u16(id);
    }
  }
  return out.release();
}

bool readStatsBytes(std::span<const uint8_t> bytes, StatsRecord& stats) {
  engine::ByteReader in(bytes);
  in.skip(4);
  for (uint32_t& counter : stats.counters) {
    const uint32_t value = in.u32();
    if (in.ok()) counter = value;
  }
  const uint32_t categories = in.u32();
  for (uint32_t c = 0; c < categories && in.ok(); ++c) {
    const uint32_t index = in.u32();
    const uint32_t records = in.u32();
    // Nothing is reserved or looped over beyond what the bytes can hold.
    if (!in.ok() || records > in.remaining() / kRecordBytes) {
      in.fail();
      break;
    }
    for (uint32_t r = 0; r < records; ++r) {
      const uint32_t count = in.u32();
      const uint16_t id = in.u16();
      if (index < kStatCategoryCount) stats.categories[index][id] = count;
    }
  }
  return in.ok();
}
