#pragma once
// The hit test of a melee swing, shared by the local player and by the entities' own attacks:
// while a weapon or tool swings, its swing box becomes a rotated quadrilateral in world pixels and
// every nearby mob whose rectangle it overlaps (with a clear line of cells to the swinger) is hit
// once per swing, whatever the frame rate. Mobs are known by id; the entity layer lists them and
// takes the hits through the `SwingTargets` seam, the sprite's animation state comes in a
// `SwingPose` from the caller.
//
// Main thread only.

#include <array>
#include <cstdint>
#include <set>
#include <vector>

#include "engine/base/geometry.h"

class PlayerBase;
class WorldEntities;

using SwingQuad = std::array<engine::Vec2, 4>;

// Separating axes over the two edge directions of each quadrilateral (edges 0 and 1), tested A
// against B and B against A; touching edges overlap.
bool swingHitsRect(const SwingQuad& a, const SwingQuad& b);

struct SwingTarget {
  uint32_t id = 0;
  uint8_t kind = 0;  // 8 = a pet, never hit
  engine::Vec2 position;
  engine::Vec2 half;
  int32_t cellX = 0;
  int32_t cellY = 0;
};

// What the swing needs of the entities.
class SwingTargets {
 public:
  virtual ~SwingTargets() = default;
  virtual void collectMobs(std::vector<SwingTarget>& /*out*/) {}
  virtual bool lineOfCellsClear(int32_t /*fromX*/, int32_t /*fromY*/, int32_t /*toX*/, int32_t /*toY*/) {
    return false;
  }
  virtual void hit(uint32_t /*mobId*/) {}
};

// The live mobs of the lists where the swinger (may be null) sees them: a mob just across the
// world's seam is beside the player.
void collectSwingTargets(const WorldEntities& lists, const PlayerBase* swinger, std::vector<SwingTarget>& out);
// Whether nothing solid stands between the cell (fromX, fromY) and the cell (toX, toY) of the
// lists' world; false without a world or for a cell off the map.
bool swingLineClear(const WorldEntities& lists, int32_t fromX, int32_t fromY, int32_t toX, int32_t toY);

// The swing's animation and aim this frame, from the sprite and the controls.
struct SwingPose {
  bool animating = false;
  float elapsed = 0;
  float duration = 1;
  bool acting = false;  // the controls' action flag
  // The main layer's world transform times the body node's transform.
  engine::Mat4 transform;
};

class MeleeSwing {
 public:
  static constexpr float kReachSquared = 8100.0f;  // 90 pixels

  // One frame for the swinger; the held item's swing box comes from its definition.
  void update(PlayerBase& player, const SwingPose& pose, SwingTargets& targets);
  // The same with the box given (centre offset, size), for callers without an item.
  void updateWithBox(PlayerBase& player, const SwingPose& pose, engine::Vec2 centre, engine::Vec2 size,
                     SwingTargets& targets);
  bool alreadyHit(uint32_t id) const { return hitThisSwing_.count(id) != 0; }

 private:
  std::set<uint32_t> hitThisSwing_;
  std::set<uint32_t> hitThisFrame_;
  std::vector<SwingTarget> nearby_;
};
