#include "net/endpoint/net_player_table.h"

#include <algorithm>

NetPlayerEntry* NetPlayerTable::at(uint8_t peer) const {
  return peer < entries_.size() ? entries_[peer].get() : nullptr;
}

void NetPlayerTable::put(uint8_t peer, std::unique_ptr<NetPlayerEntry> entry) {
  if (peer >= entries_.size()) entries_.resize(size_t{peer} + 1);
  entries_[peer] = std::move(entry);
}

bool NetPlayerTable::remove(uint8_t peer) {
  if (at(peer) == nullptr) return false;
  entries_[peer].reset();
  return true;
}

size_t NetPlayerTable::occupied() const {
  return static_cast<size_t>(std::count_if(entries_.begin(), entries_.end(),
                                           [](const auto& entry) { return entry != nullptr; }));
}
