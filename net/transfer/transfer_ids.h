#pragma once
// The ids of the messages that carry a world to a joining client (see world_sender.h and
// world_receiver.h for the order they come in), in the catalogue's categories: the connection's
// requests and notices (0), the world's data (3), the running state (4, 5).

#include <cstdint>

namespace transfer_id {
// Category 0 (the request itself is the handshake's: wire::id::kWorldRequest).
constexpr uint8_t kEntered = 5;         // client -> host: in the world; the running state follows
constexpr uint8_t kCellsComplete = 6;   // client -> host: every cell arrived
constexpr uint8_t kProgress = 10;       // client -> host: u16 percent
constexpr uint8_t kJoining = 11;        // host -> the other clients: u8 2 started, 1 ended
// Category 3.
constexpr uint8_t kHeader = 67;
constexpr uint8_t kDayClock = 68;
constexpr uint8_t kColumn = 70;
constexpr uint8_t kPiece = 71;
constexpr uint8_t kExplored = 75;
constexpr uint8_t kSurface = 76;
// Categories 4 and 5: the running state, sent once the client entered.
constexpr uint8_t kLiquidCells = 61;
constexpr uint8_t kTimedCells = 64;
constexpr uint8_t kCircuitState = 66;
constexpr uint8_t kEntityRecord = 77;
}  // namespace transfer_id

// The byte of [0][11].
namespace joining_notice {
constexpr uint8_t kEnded = 1;
constexpr uint8_t kStarted = 2;
}  // namespace joining_notice
