#pragma once
// The host acts for the sender of a request, never for a player the request names: before any
// handler reads a client's message, every peer byte that the catalogue's layout marks as the
// sender's own ('P') is overwritten with the id the transport attached, and every byte that names
// another player ('O') must name an entry of the host's table. What the handlers act on and what
// the host forwards is the message so claimed, so a client can neither act as another player (the
// host's own, peer 0, among them) nor make the others believe it did.
//
// Driven by the layouts alone: a new message with a peer byte is claimed without new code.
//
// Main thread only.

#include <cstdint>
#include <span>

#include "net/wire/wire_catalogue.h"

class NetPlayerTable;

namespace host {

// Claims the message (whole, header included) for `sender`; false when it names another player
// who has no entry, or names the sender itself as the other party (such a message is dropped).
bool claimForSender(const wire::MessageSpec& spec, std::span<uint8_t> message, uint8_t sender,
                    const NetPlayerTable& players);

}  // namespace host
