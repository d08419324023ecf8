#pragma once
// Save-file bytes laid out by hand, independent of the writers under test, and damaged copies of
// a good file.

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace saves_test {

using Bytes = std::vector<uint8_t>;

// Little-endian fields appended in order.
struct Le {
  Bytes bytes;
  Le& u8(uint32_t v) {
    bytes.push_back(static_cast<uint8_t>(v));
    return *this;
  }
  Le& u16(uint32_t v) { return u8(v).u8(v >> 8); }
  Le& u32(uint32_t v) { return u16(v).u16(v >> 16); }
  Le& zeros(size_t n) {
    bytes.insert(bytes.end(), n, 0);
    return *this;
  }
  Le& text(const std::string& s) {
    bytes.insert(bytes.end(), s.begin(), s.end());
    return *this;
  }
  Le& item(uint16_t id, uint16_t count, uint32_t word = 0, uint16_t durability = 0,
           uint16_t extra = 0) {
    return u32(word).u16(id).u16(count).u16(durability).u16(extra);
  }
  Le& empty() { return u32(0).u16(0xFFFF).zeros(6); }
  // A container directory entry: id, revision, storage, offset, size.
  Le& entry(uint16_t id, uint8_t revision, uint8_t storage, uint32_t offset, uint32_t size) {
    return u16(id).u8(revision).u8(storage).u32(offset).u32(size);
  }
};

inline Bytes cut(const Bytes& good, size_t size) {
  return Bytes(good.begin(), good.begin() + static_cast<long>(size));
}
inline Bytes flipped(Bytes good, size_t at, uint8_t mask) {
  good[at] ^= mask;
  return good;
}
// The good bytes with a run of bytes replaced at an offset.
inline Bytes patched(Bytes good, size_t at, const Bytes& value) {
  if (at + value.size() > good.size()) throw std::out_of_range("patch past the end");
  std::copy(value.begin(), value.end(), good.begin() + static_cast<long>(at));
  return good;
}

}  // namespace saves_test
