#pragma once
// A saved character as the character list shows it: its files, its name, how it looks (worn and
// held items, look word), its flags and difficulty, and its recipe knowledge when the file has
// one. Built from a character file's summary or by character creation. Game thread only.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "game/player/player_options.h"
#include "saves/character/disk_item.h"
#include "saves/store/save_id.h"

struct PlayerEntry {
  PlayerEntry(std::string file, std::string display, uint16_t id);

  // When the file name is not the display name with ".dat", the display name follows the file
  // (its part before the first '.').
  void syncNameWithFile();

  std::array<DiskItem, 5> appearance{};  // per equipment slot: the look item, else the equipment
  DiskItem heldItem;                     // the first slot of the first row
  uint32_t lookWord = 0;
  std::optional<std::array<uint8_t, 256>> knowledge;
  std::string fileName;  // inside the players folder
  std::string displayName;
  uint16_t entryId = 0;   // the low 16 bits of the character's state flags
  uint8_t gridEmpty = 1;  // the crafting grid and the first single slot hold nothing
  uint32_t characterFlags = 0;
  uint32_t difficultyId = 2;
  SaveId saveId{};
};

// Bit 3 of the flags word: a character the list never picks by itself (player_options.h).
inline constexpr uint32_t kCharacterHiddenFlag = character_flag::kHidden;
