#pragma once
// A fixed-size record kept as the bytes of the file, with little-endian reads at field offsets.
// Keeping the bytes (instead of a packed struct) keeps every byte of the file, including those
// only other systems read, without copying structs to or from bytes.

#include <array>
#include <cstddef>
#include <cstdint>

#include "content/format/record_layout.h"

namespace content {

template <size_t N>
struct RecordBytes {
  static constexpr size_t kSize = N;
  std::array<uint8_t, N> bytes{};

  uint8_t u8(size_t offset) const { return bytes[offset]; }
  int8_t i8(size_t offset) const { return static_cast<int8_t>(bytes[offset]); }
  uint16_t u16(size_t offset) const { return recordU16(bytes.data(), offset); }
  int16_t i16(size_t offset) const { return static_cast<int16_t>(u16(offset)); }
  uint32_t u32(size_t offset) const { return recordU32(bytes.data(), offset); }
  uint64_t u64(size_t offset) const { return recordU64(bytes.data(), offset); }
  float f32(size_t offset) const { return recordF32(bytes.data(), offset); }
};

}  // namespace content
