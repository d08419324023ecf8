#pragma once
// Everything a character file holds, as plain values: identity, the inventory by its parts, the
// recipe knowledge, the unlocked achievements, health and buffs. The player loader maps it onto
// a player and the player's save fills it; the file's own layout stays in character_file.cpp.
// Plain value type; any thread.

#include <array>
#include <cstdint>
#include <string>

#include "content/tables/default_difficulty.h"
#include "saves/character/disk_item.h"
#include "saves/store/save_id.h"

// A character file names the build that wrote it; the item converter is chosen by it.
inline constexpr uint32_t kCurrentBuild = 30000;
inline constexpr size_t kCharacterNameBytes = 16;

struct BuffPair {
  uint16_t id = 0;
  uint16_t remaining = 0;  // 0: an unused pair
  bool operator==(const BuffPair&) const = default;
};

struct CharacterRecord {
  // Identity
  SaveId saveId{};
  std::string name;  // at most 16 bytes are stored
  uint32_t build = kCurrentBuild;
  uint32_t stateFlags = 0;      // the player's flags word; bit 0 set for every created character
  uint32_t characterFlags = 0;  // the character entry's flags word
  uint32_t lookWord = 0;
  uint32_t difficultyId = kDefaultDifficultyId;
  // The quick slot in hand (0-9); the file keeps it in bits 24-27 of the state flags word, which
  // the player's own flags never use.
  uint8_t selectedQuickSlot = 0;

  // Inventory, each part in the inventory's own slot order
  std::array<DiskItem, 10> firstRow{};
  std::array<DiskItem, 10> secondRow{};
  std::array<DiskItem, 9> craftGrid{};  // slot a + 3b is column a, row b
  std::array<DiskItem, 36> backpack{};  // slot a + 6b is column a, row b
  std::array<DiskItem, 5> equipment{};
  std::array<DiskItem, 5> looks{};  // worn for their appearance over the equipment
  DiskItem firstSingle;
  DiskItem secondSingle;

  // Recipe knowledge: the two 128-byte bitsets in memory order
  std::array<uint8_t, 256> knowledge{};
  // Achievement id i unlocked: byte i / 8, bit i % 8
  std::array<uint8_t, 32> achievements{};

  float health = 0;  // 0 loads as the player's maximum
  std::array<BuffPair, 4> buffs{};

  bool operator==(const CharacterRecord&) const = default;
};

// Which parts a read took. A missing inventory leaves everything after it untaken; a missing
// achievement section also leaves health and buffs untaken, as the file format has always done.
struct CharacterParts {
  bool identity = false;
  bool inventory = false;
  bool knowledge = false;
  bool achievements = false;  // present with today's revision
  bool health = false;
};
