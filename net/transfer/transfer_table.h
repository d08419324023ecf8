#pragma once
// The host's transfers by peer id: one entry from a peer's world request until the peer leaves,
// so that a peer is sent the world once. An entry holds what is still to be sent to its peer
// (the cells' bytes, how far they went) and whether the peer is receiving: from its request
// until it entered the world or left.
//
// Main thread only.

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "net/transfer/world_packing.h"

struct PeerTransfer {
  bool receiving = false;
  uint64_t ticket = 0;  // the packing whose result belongs to this transfer
  CellsForm form = CellsForm::Compressed;

  // ---- From the copy of the cells until the header goes ----
  // The world's changes told meanwhile: the peer has no world to change yet, and is told them again
  // right after its header.
  bool copied = false;
  std::vector<std::vector<uint8_t>> missedChanges;
  bool missesChanges() const { return copied && !packed; }

  // ---- Once packed: the cells still to send, then the explored cells ----
  bool packed = false;
  // The packed world, shared by every peer whose request it answered; let go once all is sent.
  std::shared_ptr<const WorldPacking> packing;
  size_t chunks = 0;
  size_t nextChunk = 0;
  uint64_t sendOffset = 0;
  double paceBudget = 0.0;  // bytes the pace allows now
  double pace = 0.0;        // bytes a second: what the client's transport takes in
  std::chrono::steady_clock::time_point pacedAt;

  bool sending() const { return packed && nextChunk < chunks; }
  bool cellsSent() const { return packed && nextChunk >= chunks; }
};

class TransferTable {
 public:
  // Null when the peer never asked (or left since).
  PeerTransfer* find(uint8_t peer);
  // A new entry for the peer (replacing none: the caller asks `find` first).
  PeerTransfer& open(uint8_t peer) { return peers_[peer]; }
  void drop(uint8_t peer) { peers_.erase(peer); }
  int receivingCount() const;
  bool anySending() const;

  template <class Visit>
  void forEach(const Visit& visit) {
    for (auto& [peer, transfer] : peers_) visit(peer, transfer);
  }

 private:
  std::map<uint8_t, PeerTransfer> peers_;
};
