#pragma once
// What blasts and circuit devices need of the bodies in the world (debris, entities, mobs and
// players), which live above the world model: a look at where each stands and what it is, a push
// and a hurt. A world reaches it through its context, whose implementation resolves each body by its
// id (never a pointer kept past the call); the null form knows no bodies, so headless worlds and
// tests run without entities, and tests register a recording form. Main thread only.

#include <cstdint>
#include <vector>

#include "engine/base/geometry.h"

class MapBlock;

enum class BodyGroup : uint8_t {
  Debris,  // particles: a push only adds to their impulse and sets them moving
  Entity,  // the other entity layers (treasures, toys, bullets ...)
  Mob,
  Player,
};

namespace body_flag {
constexpr uint8_t kRemoved = 1;     // marked for removal
constexpr uint8_t kPet = 2;         // a pet (entity kind 8)
constexpr uint8_t kBlastProof = 4;  // its mob definition takes no blast damage
constexpr uint8_t kGrounded = 8;    // a player standing on the ground
constexpr uint8_t kContact = 16;    // its body touches what it rests on
}  // namespace body_flag

struct Body {
  BodyGroup group = BodyGroup::Entity;
  uint32_t id = 0;  // resolved by the seam's implementation
  engine::Vec2 position{};
  int32_t cellX = 0;
  int32_t cellY = 0;
  uint8_t flags = 0;
  uint8_t mobState = 0;  // a mob's state value (a plate counts mobs below 4)

  bool has(uint8_t flag) const { return (flags & flag) != 0; }
};

class WorldBodies {
 public:
  virtual ~WorldBodies() = default;
  // Every body of the world, appended to `out`.
  virtual void collectAll(std::vector<Body>& out) = 0;
  // The bodies whose cell is the given one, appended to `out`.
  virtual void collectInCell(const MapBlock& cell, std::vector<Body>& out) = 0;
  // An impulse of the strength at the angle (radians).
  virtual void push(const Body& body, float strength, float angle) = 0;
  // Blast damage: a mob takes it as kind 10; a player as reason 20, less its blast resistance.
  // True when the body still lives afterwards.
  virtual bool hurt(const Body& body, float amount) = 0;
  // The burst of blast debris anchored to a cell (debris kind 14, 10 pieces, parameter 15).
  virtual void spawnBlastDebris(const MapBlock& cell) = 0;
  // A small burst around a point (a tone emitter's note).
  virtual void spawnNoteDebris(engine::Vec2 position) = 0;
};

class NullWorldBodies final : public WorldBodies {
 public:
  void collectAll(std::vector<Body>&) override {}
  void collectInCell(const MapBlock&, std::vector<Body>&) override {}
  void push(const Body&, float, float) override {}
  bool hurt(const Body&, float) override { return false; }
  void spawnBlastDebris(const MapBlock&) override {}
  void spawnNoteDebris(engine::Vec2) override {}
};
