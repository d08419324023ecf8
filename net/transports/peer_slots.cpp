#include "net/transports/peer_slots.h"

#include <algorithm>

#include "platform/net_bridge.h"

namespace enet {

namespace {
// Ids are one byte and NET_NO_PEER is not an id.
constexpr size_t kMostSlots = kel::NET_NO_PEER;
}  // namespace

uint8_t PeerSlots::add(void* connection) {
  for (size_t id = 1; id < slots_.size(); ++id) {
    if (slots_[id].state == State::Free) {
      slots_[id] = Slot{State::Connected, connection};
      return static_cast<uint8_t>(id);
    }
  }
  if (slots_.size() >= std::min(limit_, kMostSlots)) return kel::NET_NO_PEER;
  slots_.push_back(Slot{State::Connected, connection});
  return static_cast<uint8_t>(slots_.size() - 1);
}

PeerSlots::Slot* PeerSlots::find(uint8_t id) {
  if (id == 0 || id >= slots_.size()) return nullptr;
  return &slots_[id];
}

void* PeerSlots::connected(uint8_t id) const {
  if (id == 0 || id >= slots_.size() || slots_[id].state != State::Connected) return nullptr;
  return slots_[id].connection;
}

bool PeerSlots::connectionEnded(uint8_t id) {
  Slot* slot = find(id);
  if (slot == nullptr) return false;
  if (slot->state == State::Dropping) {
    *slot = Slot{};
    return false;
  }
  if (slot->state != State::Connected) return false;
  slot->state = State::Gone;
  slot->connection = nullptr;
  return true;
}

void* PeerSlots::drop(uint8_t id) {
  Slot* slot = find(id);
  if (slot == nullptr) return nullptr;
  if (slot->state == State::Gone) {
    *slot = Slot{};
    return nullptr;
  }
  if (slot->state != State::Connected) return nullptr;
  slot->state = State::Dropping;
  return slot->connection;
}

}  // namespace enet
