#pragma once
// Writes little-endian fields into a growing buffer; the counterpart of ByteReader.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace engine {

class ByteWriter {
 public:
  void u8(uint8_t value) { buffer_.push_back(value); }
  void i8(int8_t value) { u8(static_cast<uint8_t>(value)); }
  void u16(uint16_t value);
  void i16(int16_t value) { u16(static_cast<uint16_t>(value)); }
  void u32(uint32_t value);
  // The words one after another, each as `u32` writes it: a single copy on a little-endian host.
  void u32s(std::span<const uint32_t> values);
  void i32(int32_t value) { u32(static_cast<uint32_t>(value)); }
  void u64(uint64_t value);
  void f32(float value);
  void bytes(std::span<const uint8_t> data);
  void zeros(size_t count) { buffer_.resize(buffer_.size() + count, 0); }
  // Appends `count` zero bytes and returns them, for records written in place rather than field
  // by field. The span is valid until the next write.
  std::span<uint8_t> grow(size_t count) {
    const size_t start = buffer_.size();
    buffer_.resize(start + count);
    return {buffer_.data() + start, count};
  }
  // Makes room for `count` bytes in all, for a body whose size is known up front.
  void reserve(size_t count) { buffer_.reserve(count); }
  void clear() { buffer_.clear(); }
  // Pads with zeros to the next multiple of `alignment` counted from the start of the buffer.
  void alignTo(size_t alignment);
  // Overwrites four bytes already written, for sizes known only after what follows them.
  void patchU32(size_t offset, uint32_t value);

  size_t size() const { return buffer_.size(); }
  const std::vector<uint8_t>& data() const { return buffer_; }
  std::vector<uint8_t> release() { return std::move(buffer_); }

 private:
  std::vector<uint8_t> buffer_;  // std::vector grows geometrically
};

}  // namespace engine
