#pragma once
// Which player's mining made each item lying in the hosted world, while it lies there. A drop that
// comes to rest goes to the player who mined it when she is near enough to have it, before the
// others standing where it landed (the host's own player at the shared spawn would otherwise take
// every drop a joined player mines beside it).
//
// Main thread only.

#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>

#include "world/entities/entity_id.h"

class MinedDrops {
 public:
  // The entity was made by the mining of the player `miner` (a player id).
  void record(EntityId drop, uint32_t miner) { miners_[drop] = miner; }
  std::optional<uint32_t> minerOf(EntityId drop) const {
    const auto found = miners_.find(drop);
    return found != miners_.end() ? std::optional<uint32_t>(found->second) : std::nullopt;
  }
  void forget(EntityId drop) { miners_.erase(drop); }
  void forget(std::span<const uint32_t> removed) {
    for (const uint32_t id : removed) miners_.erase(id);
  }

 private:
  std::unordered_map<EntityId, uint32_t> miners_;
};
