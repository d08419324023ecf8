#include "net/transports/steam/steam_peers.h"

#include <algorithm>

#include "platform/net_bridge.h"

namespace steam {

namespace {
// Ids are one byte and NET_NO_PEER is not an id.
constexpr size_t kMostRecords = kel::NET_NO_PEER;
}  // namespace

uint8_t SteamPeers::findLocked(uint64_t user) const {
  for (size_t id = 1; id < records_.size(); ++id) {
    if (records_[id].state == State::Connected && records_[id].user == user) {
      return static_cast<uint8_t>(id);
    }
  }
  return kel::NET_NO_PEER;
}

uint8_t SteamPeers::find(uint64_t user) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return findLocked(user);
}

size_t SteamPeers::freeRecordLocked() const {
  for (size_t id = 1; id < records_.size(); ++id) {
    if (records_[id].state == State::Free) return id;
  }
  return records_.size() < std::min(limit_, kMostRecords) ? records_.size() : 0;
}

uint8_t SteamPeers::findOrAdd(uint64_t user) {
  std::lock_guard<std::mutex> lock(mutex_);
  const uint8_t known = findLocked(user);
  if (known != kel::NET_NO_PEER) return known;
  const size_t id = freeRecordLocked();
  if (id == 0) return kel::NET_NO_PEER;
  if (id == records_.size()) records_.emplace_back();
  records_[id] = Record{State::Connected, user};
  return static_cast<uint8_t>(id);
}

bool SteamPeers::hasRoomFor(uint64_t user) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return findLocked(user) != kel::NET_NO_PEER || freeRecordLocked() != 0;
}

uint8_t SteamPeers::sessionFailed(uint64_t user) {
  std::lock_guard<std::mutex> lock(mutex_);
  const uint8_t id = findLocked(user);
  if (id != kel::NET_NO_PEER) records_[id].state = State::Gone;
  return id;
}

void SteamPeers::drop(uint8_t id) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (id != 0 && id < records_.size()) records_[id] = Record{};
}

uint64_t SteamPeers::userOf(uint8_t id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (id == 0 || id >= records_.size() || records_[id].state != State::Connected) return 0;
  return records_[id].user;
}

std::vector<uint64_t> SteamPeers::connectedBut(uint8_t id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<uint64_t> users;
  for (size_t index = 1; index < records_.size(); ++index) {
    if (index != id && records_[index].state == State::Connected) {
      users.push_back(records_[index].user);
    }
  }
  return users;
}

std::vector<uint64_t> SteamPeers::held() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<uint64_t> users;
  for (size_t index = 1; index < records_.size(); ++index) {
    if (records_[index].state != State::Free) users.push_back(records_[index].user);
  }
  return users;
}

}  // namespace steam
