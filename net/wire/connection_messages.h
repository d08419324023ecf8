#pragma once
// The connection handshake's messages (category 0) as both sides build and read them:
//
//   client                                   host
//   hello [0][2] peer 0, name, version,
//     her token for this host, if any   ->   admission [0][3] u16 1 and identity [0][13] (the
//                                            token she is known by, the name she plays under), or
//                                       <-   refusal [0][12] reason (0 full, 1 version differs,
//                                            2 her character is still in the game)
//                                            the hello again with the new peer id and the name she
//                                            plays under, to the others
//   ready [0][0] version (host's world is ready: a client that has not said hello yet says it)
//   departure [0][4] peer 0: peer that left (0 = the host), 0
//   world request [0][9] once admitted

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "net/wire/wire_in.h"
#include "net/wire/wire_messages.h"
#include "net/wire/wire_out.h"

namespace wire {

constexpr uint32_t kProtocolVersion = 30000;

constexpr uint8_t kRefusedFull = 0;
constexpr uint8_t kRefusedVersion = 1;
constexpr uint8_t kRefusedStillHere = 2;
constexpr uint16_t kAdmitted = 1;
// The byte of [0][11]: another client started downloading the world, or finished (or left).
constexpr uint8_t kJoiningEnded = 1;
constexpr uint8_t kJoiningStarted = 2;

// What a host hands a character to know her again by, for as long as it hosts.
using Token = std::array<uint8_t, 16>;

struct Hello {
  uint8_t peer = 0;
  std::string name;
  uint32_t version = 0;
  std::optional<Token> token;  // none: she has none for this host (or a tail of another length)
};

// From a client (peer 0), or relayed by the host with the new peer's id (never a token).
WireOut helloMessage(std::string_view name, uint8_t peer = 0,
                     uint32_t version = kProtocolVersion);
WireOut helloMessage(std::string_view name, const std::optional<Token>& token);
Hello readHello(WireIn& in);

struct Identity {
  Token token{};
  std::string name;
};
WireOut identityMessage(const Identity& identity);
Identity readIdentity(WireIn& in);

WireOut readyMessage();
WireOut admissionMessage();
WireOut refusalMessage(uint8_t reason);
// Either side: the host tells the others who left; a transport tells its own endpoint.
WireOut departureMessage(Side sender, uint8_t peer);
WireOut worldRequestMessage();

}  // namespace wire
