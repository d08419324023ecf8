#pragma once
// The row of the game's current difficulty, kept as its 88 content bytes: the damage factor is
// the first f32, byte 81 and byte 82 mark the inventory areas dropped on death, byte 83 is the
// peaceful flag (no nest mobs).

#include <array>
#include <cstdint>

struct DifficultyRow {
  static constexpr size_t kSize = 88;
  static constexpr size_t kPeaceful = 83;

  std::array<uint8_t, kSize> bytes{};

  bool peaceful() const { return bytes[kPeaceful] != 0; }
};
