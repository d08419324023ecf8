#include "net/transfer/transfer_table.h"

PeerTransfer* TransferTable::find(uint8_t peer) {
  const auto found = peers_.find(peer);
  return found != peers_.end() ? &found->second : nullptr;
}

int TransferTable::receivingCount() const {
  int count = 0;
  for (const auto& [peer, transfer] : peers_) count += transfer.receiving ? 1 : 0;
  return count;
}

bool TransferTable::anySending() const {
  for (const auto& [peer, transfer] : peers_) {
    if (transfer.sending()) return true;
  }
  return false;
}
