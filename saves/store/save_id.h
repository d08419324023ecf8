#pragma once
// The 16-byte id that tells two saves apart even when they share a name; a world or character
// whose id turns up twice gets a new one on its next save. makeRandomSaveId runs on the game
// thread only (it keeps one process-wide generator).

#include <array>
#include <cstdint>

using SaveId = std::array<uint8_t, 16>;

SaveId makeRandomSaveId();
