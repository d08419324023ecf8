#pragma once
// What every copy of a host's block entity sends: a request of the client's side that begins with
// the entity's cell, sent to the host through the endpoint the copy is bound to.

#include <cstdint>

#include "net/endpoint/net.h"
#include "net/wire/wire_out.h"
#include "world/blocks/logic_block.h"
#include "world/cells/map_block.h"

namespace remote {

// The request `id` with the entity's cell written.
template <wire::MessageId E>
wire::WireOut requestFor(E id, const LogicBlock& entity) {
  wire::WireOut out = wire::clientMessage(id);
  out.cell(entity.cell().x, entity.cell().y);
  return out;
}

inline void send(Net& net, const wire::WireOut& out) { net.send(out.data(), out.size(), 0); }

// A slot of the entity changed by the player: what she put there is the host's from now on.
inline void sendSlot(Net& net, const wire::WireOut& out) {
  send(net, out);
  net.itemHandedOver();
}

}  // namespace remote
