#pragma once
// The world's explosions: lit explosives wait in the pending list with a fuse counted down by the
// main layer's frame update (at most 33 go off per call; the rest wait for later frames). A due
// explosion is not applied here but sent as a kind-20 block edit through the world's rules, so the
// host checks it and every machine applies the same blast through `explodeAt`: a diamond of cells
// around the centre whose force falls by the divisor at every step breaks the blocks whose blast
// resistance it reaches, lights the charges it meets, and pushes and hurts the bodies within the
// entity radius (through the world-bodies seam).
//
// A blast description comes from peers: a block radius above 10 is clamped (the queue and the
// visited grid hold a radius-10 diamond and no more) and a force divisor of 0 is read as 1. The
// blast queue and the visited grid are fixed members, so a blast allocates only its hit list.
// Main thread only.

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "world/seams/world_bodies.h"

class MapBlock;
class PlayerBase;
class World;

// Centre damage, edge damage, push strength, entity radius (cells), block radius (flood steps),
// force divisor per step, centre force.
using BlastSpec = std::array<uint8_t, 7>;

namespace blast_byte {
constexpr size_t kCentreDamage = 0;
constexpr size_t kEdgeDamage = 1;
constexpr size_t kPush = 2;
constexpr size_t kEntityRadius = 3;
constexpr size_t kBlockRadius = 4;
constexpr size_t kDivisor = 5;
constexpr size_t kForce = 6;
}  // namespace blast_byte

constexpr BlastSpec kStandardBlast = {50, 20, 5, 4, 4, 2, 50};

struct PendingExplosion {
  MapBlock* cell = nullptr;
  uint8_t impact = 0;
  BlastSpec spec{};
  uint32_t cause = 0;  // the rules' id of the player who lit it (0: none); resolved when it goes off
  float timer = 0;     // ticks of 1/60 s
};

class ExplosionSystem {
 public:
  static constexpr int kMaxPerUpdate = 33;
  static constexpr uint8_t kMaxBlockRadius = 10;
  static constexpr uint16_t kLitCharge = 191;
  static constexpr uint16_t kCharge = 239;

  explicit ExplosionSystem(World& world);

  // The explosives rule: no cause, the local player, or (lock off) no protected cell within the
  // block radius. A refused cause is told with text 150.
  bool isAllowed(MapBlock& cell, const BlastSpec& spec, PlayerBase* cause);
  // Queues an explosion; a cell already queued keeps its one entry (a shorter fuse of a
  // non-impact explosion shortens it). False when not allowed.
  bool add(MapBlock& cell, PlayerBase* cause, const BlastSpec& spec, float delay, uint8_t impact);
  // The explosion queued at the cell no longer goes off (its lit fuse was cut away).
  void cancel(const MapBlock& cell);
  // Counts the fuses down by `ticks` (seconds x 60); due ones go out as kind-20 edits.
  void update(float ticks);
  // Applies one blast (the world's kind-20 edit).
  void explodeAt(MapBlock& centre, const BlastSpec& spec, PlayerBase* cause);

  const std::vector<PendingExplosion>& pending() const { return pending_; }

 private:
  struct QueuedCell {
    MapBlock* cell;
    uint32_t distance;
    float force;
  };
  static constexpr size_t kQueueSize = 225;
  static constexpr int kGrid = 32;

  void explodeCell(PlayerBase* cause, MapBlock& centre, MapBlock& cell, float force);
  void lightCharge(PlayerBase* cause, MapBlock& cell, uint8_t side);
  bool markVisited(const MapBlock& centre, const MapBlock& cell);
  void affectBodies(const MapBlock& centre, const BlastSpec& spec);

  World& world_;
  std::array<uint32_t, kGrid> visited_{};
  std::array<QueuedCell, kQueueSize> queue_{};
  std::vector<PendingExplosion> pending_;
  std::vector<Body> bodies_;
  std::vector<std::pair<size_t, float>> hits_;  // body index, damage
};
