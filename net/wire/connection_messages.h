#pragma once
// The connection handshake's messages (category 0) as both sides build and read them:
//
//   client                                   host
//   hello [0][2] peer 0, name, version  ->   admission [0][3] u16 1, or
//                                       <-   refusal [0][12] reason (0 full, 1 version differs)
//                                            the hello again with the new peer id, to the others
//   ready [0][0] version (host's world is ready: a client that has not said hello yet says it)
//   departure [0][4] peer 0: peer that left (0 = the host), 0
//   world request [0][9] once admitted

#include <cstdint>
#include <string>
#include <string_view>

#include "net/wire/wire_in.h"
#include "net/wire/wire_messages.h"
#include "net/wire/wire_out.h"

namespace wire {

constexpr uint32_t kProtocolVersion = 30000;

constexpr uint8_t kRefusedFull = 0;
constexpr uint8_t kRefusedVersion = 1;
constexpr uint16_t kAdmitted = 1;
// The byte of [0][11]: another client started downloading the world, or finished (or left).
constexpr uint8_t kJoiningEnded = 1;
constexpr uint8_t kJoiningStarted = 2;

struct Hello {
  uint8_t peer = 0;
  std::string name;
  uint32_t version = 0;
};

// From a client (peer 0), or relayed by the host with the new peer's id.
WireOut helloMessage(std::string_view name, uint8_t peer = 0,
                     uint32_t version = kProtocolVersion);
Hello readHello(WireIn& in);

WireOut readyMessage();
WireOut admissionMessage();
WireOut refusalMessage(uint8_t reason);
// Either side: the host tells the others who left; a transport tells its own endpoint.
WireOut departureMessage(Side sender, uint8_t peer);
WireOut worldRequestMessage();

}  // namespace wire
