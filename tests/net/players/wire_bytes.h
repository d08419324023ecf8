#pragma once
// Expected messages written out byte by byte, little-endian, independently of the senders' own
// writer, so a test catches a sender whose fields drift from what a receiver reads.

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "content/items/item.h"

namespace nettest {

class WireBytes {
 public:
  WireBytes(uint8_t category, uint8_t id) : bytes_{category, id} {}

  WireBytes& u8(uint8_t value) {
    bytes_.push_back(value);
    return *this;
  }
  WireBytes& u16(uint16_t value) { return u8(static_cast<uint8_t>(value)).u8(static_cast<uint8_t>(value >> 8)); }
  WireBytes& u32(uint32_t value) { return u16(static_cast<uint16_t>(value)).u16(static_cast<uint16_t>(value >> 16)); }
  WireBytes& u64(uint64_t value) { return u32(static_cast<uint32_t>(value)).u32(static_cast<uint32_t>(value >> 32)); }
  WireBytes& f32(float value) { return u32(std::bit_cast<uint32_t>(value)); }
  WireBytes& cell(uint16_t column, uint16_t row) { return u16(column).u16(row); }
  WireBytes& item(const Item& item) {
    return u32(item.word).u16(item.id).u16(item.count).u16(item.durability).u8(item.variant);
  }
  WireBytes& noItem() { return u32(0).u16(0xFFFF).u16(0).u16(0).u8(0); }
  // The text zero-filled to the width.
  WireBytes& text(const std::string& text, size_t width) {
    for (size_t i = 0; i < width; ++i) u8(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
    return *this;
  }

  const std::vector<uint8_t>& bytes() const { return bytes_; }
  operator std::vector<uint8_t>() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace nettest
