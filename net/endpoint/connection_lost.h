#pragma once
// Why a client's networked game ended, and the text the start view shows for it.

#include <cstdint>

namespace lost_reason {
constexpr uint8_t kHostQuit = 0;
constexpr uint8_t kServerFull = 1;
constexpr uint8_t kTimedOut = 2;
constexpr uint8_t kVersionDiffers = 3;
}  // namespace lost_reason

// "" for a reason outside 0..3.
const char* connectionLostText(uint8_t reason);
