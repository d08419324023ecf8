#include "engine/io/byte_writer.h"

#include <bit>
#include <cstring>
#include <stdexcept>

namespace engine {

void ByteWriter::u16(uint16_t value) {
  u8(static_cast<uint8_t>(value));
  u8(static_cast<uint8_t>(value >> 8));
}

void ByteWriter::u32(uint32_t value) {
  for (int i = 0; i < 4; ++i) u8(static_cast<uint8_t>(value >> (8 * i)));
}

void ByteWriter::u32s(std::span<const uint32_t> values) {
  if constexpr (std::endian::native == std::endian::little) {
    if (values.empty()) return;
    std::memcpy(grow(values.size_bytes()).data(), values.data(), values.size_bytes());
  } else {
    for (uint32_t value : values) u32(value);
  }
}

void ByteWriter::u64(uint64_t value) {
  for (int i = 0; i < 8; ++i) u8(static_cast<uint8_t>(value >> (8 * i)));
}

void ByteWriter::f32(float value) { u32(std::bit_cast<uint32_t>(value)); }

void ByteWriter::bytes(std::span<const uint8_t> data) {
  buffer_.insert(buffer_.end(), data.begin(), data.end());
}

void ByteWriter::alignTo(size_t alignment) {
  if (alignment <= 1) return;
  size_t rest = buffer_.size() % alignment;
  if (rest != 0) zeros(alignment - rest);
}

void ByteWriter::patchU32(size_t offset, uint32_t value) {
  if (offset > buffer_.size() || buffer_.size() - offset < 4) {
    throw std::out_of_range("ByteWriter::patchU32 outside the written bytes");
  }
  for (size_t i = 0; i < 4; ++i) buffer_[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace engine
