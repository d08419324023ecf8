#pragma once
// Who each joined player is to the host, for the rest of the hosting. A name is what any client
// may type, so the host knows a character by a token it hands her on her first entry (16 random
// bytes, kept by her game beside her character, [0][13]) and she names in her hello when she comes
// back. What she carried when she left is kept under that token: only the session that names it
// takes those items back (and never declares afresh), and only one session may hold a token at a
// time.
//
// The name she plays under is her hello's without its control bytes (the host's console, its
// terminal and every client print it). A name belongs to one character for the whole hosting: a
// newcomer (no token, or one this host never handed out) whose name a present player has, or a
// player who left had, plays under the same name with the first free number after it
// ("Player 2"), and her game is told why. So two honest players both named "Player" both play,
// and neither meets the other's items.
//
// Main thread only.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>

#include "net/players/player_item_copy.h"
#include "net/wire/connection_messages.h"

namespace host {

class Identities {
 public:
  struct Admitted {
    bool refused = false;  // her token's character is still in the game
    wire::Identity identity;
  };

  // The hello of `peer`, with the names present players have now (the host's own among them).
  Admitted admit(uint8_t peer, const wire::Hello& hello, std::span<const std::string> presentNames);
  // The peer left: what it carried is kept under its token. A newcomer whose game never declared
  // what it carried is forgotten; a session that took a kept character's token and left before
  // declaring only ends, and the character stays as she left.
  void left(uint8_t peer, PlayerItemCopy* carried);
  // What the peer's character left with when she was here before; none for a newcomer or one
  // whose game never declared what it carried.
  std::optional<PlayerItemCopy> takeKept(uint8_t peer);

 private:
  struct Known {
    std::string name;
    std::optional<uint8_t> peer;  // the session that holds the token now
    std::optional<PlayerItemCopy> kept;
  };
  bool nameTaken(const std::string& name, std::span<const std::string> presentNames) const;
  std::string freeName(const std::string& wanted, std::span<const std::string> presentNames) const;
  Known* knownAt(uint8_t peer);

  std::map<wire::Token, Known> known_;
};

}  // namespace host
