#pragma once
// One slot address of a player's inventory, as the inventory view, crafting, trade, pick-up and
// death pass it around: a slot kind, a column (or index) and a row. It packs into 64 bits (kind
// in bits 0-31, x in 32-39, y in 40-47) because that is how it travels between those callers.

#include <cstdint>

enum class SlotKind : uint32_t {
  Backpack = 0,
  Quick = 1,
  CraftGrid = 2,
  Single = 3,
  Chest = 4,
  SecondObject = 5,
  Equipment = 6,
  Equipment2 = 7,
  Trinket = 8,
  EntityFirst = 9,
  EntityItem = 10,
  TradeOffer = 11,
  AlchemyLab = 12,
  Catalogue = 13,
  None = 14,
};

struct SlotRef {
  SlotKind kind = SlotKind::None;
  uint8_t x = 0;
  uint8_t y = 0;

  uint64_t pack() const {
    return static_cast<uint64_t>(kind) | (uint64_t{x} << 32) | (uint64_t{y} << 40);
  }
  static SlotRef unpack(uint64_t value) {
    return {static_cast<SlotKind>(value & 0xFFFFFFFFu), static_cast<uint8_t>(value >> 32),
            static_cast<uint8_t>(value >> 40)};
  }
  bool isNone() const { return kind == SlotKind::None; }
  bool operator==(const SlotRef&) const = default;
};
