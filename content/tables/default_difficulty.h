#pragma once
// The difficulty a new character plays at until its list entry says otherwise. Each game takes
// the difficulty of the character it loaded (`Player::difficultyId`).

#include <cstdint>

inline constexpr uint32_t kDefaultDifficultyId = 2;
