#pragma once
// The server transport's table of remote peers by id. Slot 0 is the host's own and never given;
// slots 1 up to the player limit less one go to connections in the order they arrive, the lowest
// free slot first.
//
// A slot is given again only when both sides are done with it: the connection has ended and the
// endpoint has dropped the peer. So a departure notice that the endpoint has not handled yet can
// never be taken for the newcomer who would otherwise inherit the id.
//
// Not locked: the server transport holds its host mutex around every call.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace enet {

class PeerSlots {
 public:
  // `limit`: the player limit, the host's slot included.
  explicit PeerSlots(size_t limit) : limit_(limit) {}

  // The new connection's id, or kel::NET_NO_PEER when every slot is taken.
  uint8_t add(void* connection);
  // The connection in a connected slot; null for any other id.
  void* connected(uint8_t id) const;
  // The transport saw the connection end. True when the endpoint must be told (a departure it did
  // not ask for); the slot then waits for its drop.
  bool connectionEnded(uint8_t id);
  // The endpoint is done with the peer. Returns the connection to close when it is still open
  // (its slot waits for the end), else null (the slot is free again).
  void* drop(uint8_t id);

  // Calls fn(id, connection) for every connected slot.
  template <class Fn>
  void forEachConnected(Fn fn) const {
    for (size_t id = 1; id < slots_.size(); ++id) {
      if (slots_[id].state == State::Connected) fn(static_cast<uint8_t>(id), slots_[id].connection);
    }
  }

 private:
  enum class State : uint8_t { Free, Connected, Dropping, Gone };
  struct Slot {
    State state = State::Free;
    void* connection = nullptr;
  };
  Slot* find(uint8_t id);

  size_t limit_;
  std::vector<Slot> slots_{1};  // index 0: the host
};

}  // namespace enet
