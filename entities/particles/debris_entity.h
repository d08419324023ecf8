#pragma once
// A particle: a chip of a broken block, a spark, a bubble, a rain drop, a glint. It moves with the
// cell physics of every entity (moving_entity.h) unless its motion holds it still, and its
// behaviours (debris_behaviors.h) shape its life. Particles belong to the machine that shows them:
// they are never saved, never sent and have no entity id.
//
// It comes from the general heap. Construction counts it live in the process-wide count
// (debris_count.h), destruction counts it gone.
//
// Its look (rectangle, scale, rotation, opacity, visibility, tint) is kept here so that it steps
// headless; the view's drawing side reads it from `look`.
//
// Main thread only.

#include <cstdint>

#include "entities/core/moving_entity.h"
#include "entities/particles/debris_builders.h"

class BehaviorCollision;
class BehaviorLight;
class BehaviorPhysics;
class BehaviorProgress;
class BehaviorSetup;
enum class Direction : uint8_t;

// The three particle layers: most presets draw on A; chips cut from block pictures on B, chips
// cut from entity pictures on C.
enum class DebrisLayer : uint8_t { A = 0, B = 1, C = 2 };

struct DebrisMotion {
  float lift = 0;           // added to the vertical impulse before each tick (0.3 cancels gravity)
  bool moves = true;        // simulated; otherwise it stays where it was made
  bool liquidRules = true;  // feels liquid after each move
};

struct DebrisTint {
  uint8_t red = 255;
  uint8_t green = 255;
  uint8_t blue = 255;
  bool operator==(const DebrisTint&) const = default;
};

struct DebrisLook {
  DebrisRect rect{};
  float scale = 1;
  float rotation = 0;  // degrees
  uint8_t opacity = 255;
  bool visible = true;
  DebrisTint tint{};
  DebrisLayer layer = DebrisLayer::A;
};

// What a preset hands a particle besides its builders; every pointer may be null. The particle
// keeps a pointer to the bundle, so a preset keeps its bundles as long-lived as its behaviours.
struct DebrisBehaviors {
  const BehaviorLight* light = nullptr;
  BehaviorProgress* progress = nullptr;
  BehaviorSetup* setup = nullptr;
  BehaviorPhysics* physics = nullptr;
  BehaviorCollision* collision = nullptr;
};

class DebrisEntity final : public MovingEntity {
 public:
  DebrisEntity(World& world, BuilderPosition& position, DebrisImpulseBuilder& impulse, DebrisRectBuilder& rect,
               DebrisLayer layer, DebrisMotion motion, const DebrisBehaviors& behaviors);
  ~DebrisEntity() override;

  void update() override;
  void hitLeftWall() override;
  void hitRightWall() override;
  void hitFloor() override;
  void hitCeiling() override;
  void onRest() override;

  // Takes the light of its cell again (a re-lit world); only a light behaviour acts.
  void updateLight();
  // The world's darkness that the flat light takes from the sky.
  uint8_t darkness() const;

  float progress = 0;
  const DebrisRectList* rectList = nullptr;
  DebrisMotion motion;
  DebrisLook look;

 private:
  DebrisEntity(World& world, DebrisStart start, DebrisImpulse impulse, DebrisRectBuilder& rect, DebrisLayer layer,
               DebrisMotion motion, const DebrisBehaviors& behaviors);
  // False when the collision behaviour refused the bounce.
  bool allowBounce(Direction side);

  const DebrisBehaviors* behaviors_;
};
