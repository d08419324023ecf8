#pragma once
// Reads little-endian fields from a byte range that came from a file or a peer. Every read checks
// what is left; a read past the end returns zero and sets a sticky error, so a parser can read a
// whole record and test `ok()` once instead of after every field.

#include <cstddef>
#include <cstdint>
#include <span>

namespace engine {

class ByteReader {
 public:
  ByteReader() = default;
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  explicit ByteReader(std::span<const uint8_t> bytes) : data_(bytes.data()), size_(bytes.size()) {}

  uint8_t u8();
  int8_t i8() { return static_cast<int8_t>(u8()); }
  uint16_t u16();
  int16_t i16() { return static_cast<int16_t>(u16()); }
  uint32_t u32();
  int32_t i32() { return static_cast<int32_t>(u32()); }
  uint64_t u64();
  float f32();

  // Copies `count` bytes to `out`; on a short read `out` is zero-filled.
  bool bytes(uint8_t* out, size_t count);
  // The next `count` bytes without copying, or an empty span (and the error) when they are not there.
  std::span<const uint8_t> take(size_t count);
  bool skip(size_t count);
  // Skips to the next multiple of `alignment` counted from the start of the range.
  bool alignTo(size_t alignment);

  // Marks the input as unusable, e.g. when a value read is out of its range.
  void fail() { failed_ = true; }
  bool ok() const { return !failed_; }
  bool failed() const { return failed_; }
  size_t position() const { return pos_; }
  size_t remaining() const { return failed_ ? 0 : size_ - pos_; }
  size_t size() const { return size_; }

 private:
  bool need(size_t count);

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  size_t pos_ = 0;
  bool failed_ = false;
};

}  // namespace engine
