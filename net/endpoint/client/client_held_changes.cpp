// A joining client's world is a copy of the host's cells taken when its transfer began; the host
// tells every client of each later change as it happens, the joining one included. Those that come
// between the world's header and the entry are kept and applied, in order, once the client enters,
// so that the joined world ends as the host's does instead of missing what others built meanwhile.
// A change the copy already holds is applied again to the same result.

#include "net/endpoint/net_client.h"
#include "net/wire/wire_check.h"
#include "net/wire/wire_in.h"

void NetClient::onPacket(const uint8_t* data, uint32_t length, uint8_t peer) {
  if (holdForEntry(data, length, peer)) return;
  NetCommon::onPacket(data, length, peer);
}

bool NetClient::holdForEntry(const uint8_t* data, uint32_t length, uint8_t peer) {
  if (state_ == kInGame || world() == nullptr || length < wire::kHeaderSize || data[0] != wire::MessageCategory<wire::WorldChangeMsg>::value) {
    return false;
  }
  heldChanges_.push_back({std::vector<uint8_t>(data, data + length), peer});
  return true;
}

void NetClient::applyHeldChanges() {
  std::vector<HeldChange> held;
  held.swap(heldChanges_);
  for (const HeldChange& change : held) NetCommon::onPacket(change.bytes.data(), static_cast<uint32_t>(change.bytes.size()), change.peer);
}
