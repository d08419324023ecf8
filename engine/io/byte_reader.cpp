#include "engine/io/byte_reader.h"

#include <bit>
#include <cstring>

namespace engine {

bool ByteReader::need(size_t count) {
  if (failed_ || count > size_ - pos_) {
    failed_ = true;
    return false;
  }
  return true;
}

uint8_t ByteReader::u8() {
  if (!need(1)) return 0;
  return data_[pos_++];
}

uint16_t ByteReader::u16() {
  if (!need(2)) return 0;
  uint16_t value = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
  pos_ += 2;
  return value;
}

uint32_t ByteReader::u32() {
  if (!need(4)) return 0;
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | data_[pos_ + static_cast<size_t>(i)];
  pos_ += 4;
  return value;
}

uint64_t ByteReader::u64() {
  if (!need(8)) return 0;
  uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = (value << 8) | data_[pos_ + static_cast<size_t>(i)];
  pos_ += 8;
  return value;
}

float ByteReader::f32() { return std::bit_cast<float>(u32()); }

bool ByteReader::bytes(uint8_t* out, size_t count) {
  if (!need(count)) {
    if (count > 0) std::memset(out, 0, count);
    return false;
  }
  if (count > 0) std::memcpy(out, data_ + pos_, count);
  pos_ += count;
  return true;
}

std::span<const uint8_t> ByteReader::take(size_t count) {
  if (!need(count)) return {};
  std::span<const uint8_t> view(data_ + pos_, count);
  pos_ += count;
  return view;
}

bool ByteReader::skip(size_t count) {
  if (!need(count)) return false;
  pos_ += count;
  return true;
}

bool ByteReader::alignTo(size_t alignment) {
  if (alignment <= 1) return ok();
  size_t rest = pos_ % alignment;
  return rest == 0 ? ok() : skip(alignment - rest);
}

}  // namespace engine
