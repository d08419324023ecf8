#pragma once
// Why a client's networked game ended, and the text the start view shows for it.

#include <cstdint>

namespace lost_reason {
constexpr uint8_t kHostQuit = 0;
constexpr uint8_t kServerFull = 1;
constexpr uint8_t kTimedOut = 2;
constexpr uint8_t kVersionDiffers = 3;
// The host's refusal of a character whose earlier session it still has (a game that died and
// came back before the host noticed).
constexpr uint8_t kStillHere = 4;
// The world the host sent cannot be completed (damaged or impossible data); the client's own.
constexpr uint8_t kWorldUnreadable = 16;
}  // namespace lost_reason

// "" for a reason without a text.
const char* connectionLostText(uint8_t reason);
