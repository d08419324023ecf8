#pragma once
// The store-front host's records of its remote peers by id. Record 0 is the host's own and never
// given; records 1 up to the player limit less one go to users in the order their hellos come,
// the lowest free record first.
//
// A record lives until the endpoint drops its peer: a failed session only marks it gone, and is
// reported once, so the endpoint hears of each departure once and a newcomer never inherits an id
// whose departure it has not handled yet.
//
// Threads: the receive thread looks senders up and gives hellos a record while the game thread's
// callbacks, drops and sends read and change the records, so every call takes the one mutex.

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace steam {

class SteamPeers {
 public:
  // `limit`: the player limit, the host's record included.
  explicit SteamPeers(size_t limit) : limit_(limit) {}

  // The id of the user's connected record; kel::NET_NO_PEER when it has none.
  uint8_t find(uint64_t user) const;
  // The user's connected record, or a new one; kel::NET_NO_PEER when every record is taken.
  uint8_t findOrAdd(uint64_t user);
  // Whether findOrAdd would give the user a record now.
  bool hasRoomFor(uint64_t user) const;
  // The user's session failed: the id to report as departed, once; kel::NET_NO_PEER when the
  // user has no connected record.
  uint8_t sessionFailed(uint64_t user);
  // The endpoint is done with the peer: its record is free again.
  void drop(uint8_t id);

  // The user of a connected record; 0 for any other id.
  uint64_t userOf(uint8_t id) const;
  // The users of every connected record but `id`.
  std::vector<uint64_t> connectedBut(uint8_t id) const;
  // The users of every record not free (connected or gone).
  std::vector<uint64_t> held() const;

 private:
  enum class State : uint8_t { Free, Connected, Gone };
  struct Record {
    State state = State::Free;
    uint64_t user = 0;
  };
  uint8_t findLocked(uint64_t user) const;
  size_t freeRecordLocked() const;  // 0 when none is free

  size_t limit_;
  mutable std::mutex mutex_;
  std::vector<Record> records_{1};  // index 0: the host
};

}  // namespace steam
