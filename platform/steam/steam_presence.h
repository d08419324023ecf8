#pragma once
// The rich presence a game in network play shows the user's friends, and which the join menu
// reads back to list the games it can join:
//
//   key                 host                     joined client
//   "player-status"     "server"                 "client"
//   "server-reference"  own id, in decimal       the host's id, in decimal
//   "status"            "Hosting a game!"        "Hosting a game!"
//   "connect"           "-connectsteam <own id>" "-connectsteam <host's id>"
//
// A client's friends join the client's host, so both sides name the host.

#include <cstdint>
#include <string>

namespace kel {

class SteamFriends;

namespace presence {
inline constexpr const char* kPlayerStatus = "player-status";
inline constexpr const char* kServerReference = "server-reference";
inline constexpr const char* kStatus = "status";
inline constexpr const char* kConnect = "connect";
inline constexpr const char* kServer = "server";
inline constexpr const char* kClient = "client";
inline constexpr const char* kHostingText = "Hosting a game!";
}  // namespace presence

// Sets the four keys for a game hosted (`hosting`) or joined, whose host is `hostId`.
void setGamePresence(SteamFriends& friends, bool hosting, uint64_t hostId);

// The decimal id of a "server-reference"; 0 when the text is empty or not a decimal number that
// fits in 64 bits.
uint64_t parseServerReference(const std::string& text);

}  // namespace kel
