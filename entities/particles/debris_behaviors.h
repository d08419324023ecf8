#pragma once
// What shapes a particle's life after its start: a setup run once, a physics step before each move,
// a progress that scales, fades or times it, a collision response and a light. A particle holds
// pointers to shared, long-lived behaviours (presets keep them in statics), so making a particle
// copies no callback. The lambda forms hold plain functions for the same reason.
//
// Main thread only.

#include <cstdint>

#include "world/cells/direction.h"

class DebrisEntity;
class MapBlock;
class MovingEntity;
struct EntityData;

class BehaviorSetup {
 public:
  virtual ~BehaviorSetup() = default;
  virtual void apply(DebrisEntity* particle) = 0;
};

class BehaviorSetupLambda final : public BehaviorSetup {
 public:
  using Callback = void (*)(DebrisEntity*);
  explicit BehaviorSetupLambda(Callback c) : callback(c) {}
  void apply(DebrisEntity* particle) override { callback(particle); }
  Callback callback;
};

class BehaviorPhysics {
 public:
  virtual ~BehaviorPhysics() = default;
  virtual void apply(float step, MovingEntity* particle, EntityData& data) = 0;
};

class BehaviorPhysicsLambda final : public BehaviorPhysics {
 public:
  using Callback = void (*)(float, MovingEntity*, EntityData&);
  explicit BehaviorPhysicsLambda(Callback c) : callback(c) {}
  void apply(float step, MovingEntity* particle, EntityData& data) override { callback(step, particle, data); }
  Callback callback;
};

class BehaviorProgress {
 public:
  virtual ~BehaviorProgress() = default;
  // The particle ends once its progress reaches 1.
  virtual bool removeAtEnd() const = 0;
  virtual void apply(float& progress, float step, DebrisEntity* particle) = 0;
  virtual float startValue() const = 0;
};

class BehaviorProgressLambda final : public BehaviorProgress {
 public:
  using Callback = void (*)(float&, float, DebrisEntity*);
  BehaviorProgressLambda(bool removes, float startMin, float startMax, Callback c)
      : removes_(removes), startMin_(startMin), startMax_(startMax), callback_(c) {}
  bool removeAtEnd() const override { return removes_; }
  void apply(float& progress, float step, DebrisEntity* particle) override { callback_(progress, step, particle); }
  // Uniform in [minimum, maximum].
  float startValue() const override;

 private:
  bool removes_;
  float startMin_;
  float startMax_;
  Callback callback_;
};

// Grows from the start scale to the middle one over the first half, shrinks to the end one over the
// second, and turns by the half-turns over the whole duration (in ticks).
class ScaleRotateAndFadeBehavior final : public BehaviorProgress {
 public:
  ScaleRotateAndFadeBehavior(float duration, float start, float middle, float end, float halfTurns)
      : duration_(duration), start_(start), middle_(middle), end_(end), halfTurns_(halfTurns) {}
  bool removeAtEnd() const override { return true; }
  void apply(float& progress, float step, DebrisEntity* particle) override;
  float startValue() const override { return 0; }

 private:
  float duration_;
  float start_;
  float middle_;
  float end_;
  float halfTurns_;
};

class BehaviorCollision {
 public:
  virtual ~BehaviorCollision() = default;
  // True lets the default bounce happen.
  virtual bool apply(MovingEntity* particle, EntityData& data, Direction side) = 0;
};

class BehaviorCollisionLambda final : public BehaviorCollision {
 public:
  using Callback = bool (*)(MovingEntity*, EntityData&, Direction);
  explicit BehaviorCollisionLambda(Callback c) : callback(c) {}
  bool apply(MovingEntity* particle, EntityData& data, Direction side) override {
    return callback(particle, data, side);
  }
  Callback callback;
};

// Any contact lays the particle to rest.
class BehaviorCollisionStopOnBounce final : public BehaviorCollision {
 public:
  bool apply(MovingEntity* particle, EntityData& data, Direction side) override;
};

class BehaviorLight {
 public:
  virtual ~BehaviorLight() = default;
  virtual void apply(const MapBlock* cell, DebrisEntity* particle) const = 0;
};

// The flat light of the cell: each channel max(sky - darkness, block light nibble) * 17.
class BehaviorLightDefault final : public BehaviorLight {
 public:
  void apply(const MapBlock* cell, DebrisEntity* particle) const override;
};

// The flat light, each channel divided by 3 (chips of a back-layer block).
class BehaviorLightDarkened final : public BehaviorLight {
 public:
  void apply(const MapBlock* cell, DebrisEntity* particle) const override;
};

// Keeps whatever tint the particle has (glowing particles).
class BehaviorLightIgnore final : public BehaviorLight {
 public:
  void apply(const MapBlock*, DebrisEntity*) const override {}
};

// The shared instances.
const BehaviorLight& lightDefault();
const BehaviorLight& lightDarkened();
const BehaviorLight& lightIgnore();
