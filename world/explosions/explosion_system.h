#pragma once
// The world's explosion queue, as far as the edits reach it: an explosion edit queues one blast
// (its cell, its seven-byte description and who set it off); the blast itself (fuse, damage,
// broken blocks) is run by the explosion step from the main layer's frame update. Main thread only.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class MapBlock;
class PlayerBase;
class World;

// Centre damage, edge damage, push strength, entity radius, block radius, force divisor per step,
// centre force.
using BlastSpec = std::array<uint8_t, 7>;

struct QueuedBlast {
  size_t cellIndex = 0;
  BlastSpec spec{};
  PlayerBase* source = nullptr;
};

class ExplosionSystem {
 public:
  explicit ExplosionSystem(World& world);

  void explodeAt(MapBlock& cell, const BlastSpec& spec, PlayerBase* source);
  const std::vector<QueuedBlast>& queued() const { return queued_; }

 private:
  World& world_;
  std::vector<QueuedBlast> queued_;
};
