#pragma once
// The character flags word: what a character was made with. The character file and the character
// list keep it, and the loaded player holds a copy; this header is the one place its bits are
// given a meaning.
//
//   bit 0      the character's game ends with its death (no respawn)
//   bit 3      hidden: the character list never makes it the current character by itself
//   bits 4-7   player options 2-5: bit (option + 2), so option 2 "Full Craftbook" is bit 4,
//              3 "Instant Planets" bit 5, 4 "Extended Day" bit 6, 5 "Chemistry Book" bit 7
//   others     unused; kept as they are through every load and save
//
// The options do not take bits 2-5 by their own numbers: bit 3 already hides a character, and
// a character made with "Instant Planets" must not vanish from the list.
// Plain functions; any thread.

#include <cstdint>

class Player;

namespace character_flag {
inline constexpr uint32_t kDeathEndsGame = 1u << 0;
inline constexpr uint32_t kHidden = 1u << 3;
}  // namespace character_flag

namespace player_option {
inline constexpr int kFullCraftbook = 2;
inline constexpr int kInstantPlanets = 3;
inline constexpr int kExtendedDay = 4;
inline constexpr int kChemistryBook = 5;
}  // namespace player_option

// The flags-word bit of an option; 0 for a number that names no option.
uint32_t playerOptionBit(int option);
bool playerOptionOn(uint32_t characterFlags, int option);
// Whether the player's character was made with the option.
bool playerOptionOn(const Player& player, int option);
