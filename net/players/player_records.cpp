#include "net/players/player_records.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"
#include "net/wire/wire_in.h"
#include "net/wire/wire_out.h"
#include "world/blocks/forge.h"

namespace player_record {

namespace {
constexpr size_t kMotionRawBytes = 16;
}  // namespace

void writeMotion(wire::WireOut& out, const MotionEvent& motion) {
  engine::ByteWriter raw;
  raw.u8(motion.code);
  raw.u8(motion.phase);
  raw.u16(0);
  raw.f32(motion.x);
  raw.f32(motion.y);
  raw.f32(motion.vx);
  const uint64_t pair = uint64_t{std::bit_cast<uint32_t>(motion.vy)} |
                        uint64_t{std::bit_cast<uint32_t>(motion.ax)} << 32;
  out.raw(raw.data()).f64(std::bit_cast<double>(pair)).u32(std::bit_cast<uint32_t>(motion.ay));
}

std::optional<MotionEvent> readMotion(wire::WireIn& in) {
  engine::ByteReader raw(in.raw(kMotionRawBytes));
  MotionEvent motion;
  motion.code = raw.u8();
  motion.phase = raw.u8();
  raw.u16();
  motion.x = raw.f32();
  motion.y = raw.f32();
  motion.vx = raw.f32();
  const uint64_t pair = std::bit_cast<uint64_t>(in.f64());
  motion.vy = std::bit_cast<float>(static_cast<uint32_t>(pair));
  motion.ax = std::bit_cast<float>(static_cast<uint32_t>(pair >> 32));
  motion.ay = std::bit_cast<float>(in.u32());
  for (float value : {motion.x, motion.y, motion.vx, motion.vy, motion.ax, motion.ay}) {
    if (!std::isfinite(value)) return std::nullopt;
  }
  if (!raw.ok()) return std::nullopt;
  return motion;
}

std::array<uint8_t, 16> brewBytes(const PotionResult& result) {
  std::array<uint8_t, 16> bytes{};
  bytes[0] = static_cast<uint8_t>(result.itemId);
  bytes[1] = static_cast<uint8_t>(result.itemId >> 8);
  bytes[2] = static_cast<uint8_t>(result.value);
  bytes[3] = static_cast<uint8_t>(result.value >> 8);
  return bytes;
}

PotionResult brewFromBytes(std::span<const uint8_t> bytes) {
  PotionResult result;
  if (bytes.size() < 4) return result;
  const Item brewed(static_cast<uint16_t>(bytes[0] | bytes[1] << 8), 0, 1, 0, 0);
  if (brewed.definition() == nullptr) return result;
  result.itemId = brewed.id;
  result.value = static_cast<uint16_t>(bytes[2] | bytes[3] << 8);
  return result;
}

std::array<uint8_t, 6> circuitBytes(const CircuitRecord& record) {
  return {record.tag,
          record.reserved,
          static_cast<uint8_t>(record.value),
          static_cast<uint8_t>(record.value >> 8),
          static_cast<uint8_t>(record.second),
          static_cast<uint8_t>(record.second >> 8)};
}

CircuitRecord circuitFromBytes(const uint8_t* bytes) {
  CircuitRecord record;
  record.tag = bytes[0];
  record.reserved = bytes[1];
  record.value = static_cast<uint16_t>(bytes[2] | bytes[3] << 8);
  record.second = static_cast<uint16_t>(bytes[4] | bytes[5] << 8);
  return record;
}

ForgeCounters ForgeCounters::of(const Forge& forge) {
  return {forge.fuelLeft(), forge.smeltLeft(), forge.fuelTotal(), forge.smeltTotal(),
          forge.burning()};
}

ForgeCounters ForgeCounters::unpack(uint64_t packed, uint16_t burning) {
  return {static_cast<uint16_t>(packed), static_cast<uint16_t>(packed >> 16),
          static_cast<uint16_t>(packed >> 32), static_cast<uint16_t>(packed >> 48), burning != 0};
}

uint64_t ForgeCounters::packed() const {
  return uint64_t{fuelLeft} | uint64_t{smeltLeft} << 16 | uint64_t{fuelTotal} << 32 |
         uint64_t{smeltTotal} << 48;
}

}  // namespace player_record
