#pragma once
// The process-wide difficulty index: the difficulty id of the character that was loaded last,
// which picks the difficulty row the next world is made with. Loading a character sets it; a
// character that fails to load leaves it as it was. 2 (the default of a new character) until a
// character loads. Main thread only.

#include <cstdint>

inline constexpr uint32_t kDefaultDifficultyId = 2;

uint32_t currentDifficultyId();
void setCurrentDifficultyId(uint32_t id);
