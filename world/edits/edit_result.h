#pragma once
// What applying one block edit answers: the changed cell (none when the edit was refused) and the
// refresh bits that tell the world view which tiles to rebuild.

#include <cstdint>

class MapBlock;

namespace refresh_bit {
constexpr uint8_t kCell = 1;
constexpr uint8_t kAbove = 2;
constexpr uint8_t kBelow = 4;
constexpr uint8_t kLeft = 8;
constexpr uint8_t kRight = 16;
constexpr uint8_t kShadows = 32;
constexpr uint8_t kLight = 64;
constexpr uint8_t kRefused = 128;
}  // namespace refresh_bit

struct EditResult {
  MapBlock* cell = nullptr;
  uint8_t bits = 0;

  static EditResult refused() { return {nullptr, refresh_bit::kRefused}; }
  bool wasRefused() const { return (bits & refresh_bit::kRefused) != 0; }
  EditResult& operator|=(uint8_t more) {
    bits = static_cast<uint8_t>(bits | more);
    return *this;
  }
  EditResult& operator|=(const EditResult& other) { return *this |= other.bits; }
};
