#pragma once
// A client's copy of the host's forge: its three stacks and its counters as the host sent them.
// It smelts nothing itself; a stack the player puts in goes to the host as a request, and the
// host's answers refresh the counters or the whole forge.
//
// Main thread only.

#include <array>
#include <cstdint>

#include "net/wire/wire_fields.h"
#include "world/blocks/forge.h"

class Net;

namespace player_record {
struct ForgeCounters;
}

class RemoteForge : public Forge {
 public:
  // `net` (not owned) must outlive the copy.
  RemoteForge(MapBlock& cell, Net& net);

  static bool holdsKind(BlockEntityKind kind) { return kind == BlockEntityKind::ForgeCopy; }

  void setItem(uint8_t slot, ItemPtr item) override;
  void showCounters(const player_record::ForgeCounters& counters);
  // The host's stacks replace the copy's; the old ones go back to the pool.
  void replaceItems(std::array<wire::PooledItem, 3> items);

 private:
  Net& net_;
};
