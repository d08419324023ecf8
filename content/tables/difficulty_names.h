#pragma once
// What the player calls each difficulty level when choosing one for a character: level 0 the
// gentlest (no hostile mobs) to 4 the hardest (everything carried drops on death), as the rows of
// the difficulty table run.

#include <cstdint>
#include <string>

inline constexpr const char* kDifficultyNames[] = {"Peaceful", "Easy", "Normal", "Hard", "Hardcore"};
inline constexpr uint32_t kNamedDifficultyCount = 5;

// The level's name; a level past the named ones is "Level <n>".
std::string difficultyName(uint32_t level);
