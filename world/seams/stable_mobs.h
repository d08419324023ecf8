#pragma once
// What a stable needs of the mobs it keeps, which live in the entity lists above the world model:
// where a mob stands, its back reference to the stable, its removal mark and the effects shown on
// it. Mobs are made through the rules (`Logic::spawnMob`). The entities register their
// implementation at launch; the null form places every mob on no cell. Main thread only.

#include <cstdint>

#include "engine/base/geometry.h"
#include "engine/base/seam.h"

class LogicBlock;
class MobEntity;

class StableMobs {
 public:
  virtual ~StableMobs() = default;
  // The mob's cell; false when the mob has none.
  virtual bool cellOf(MobEntity* mob, int32_t& x, int32_t& y) = 0;
  virtual engine::Vec2 positionOf(MobEntity* mob) = 0;
  // The mob's stable back reference (null: free).
  virtual void setStable(MobEntity* mob, LogicBlock* stable) = 0;
  virtual void markRemoved(MobEntity* mob) = 0;
  // An effect shown on the mob on every machine (29 hungry, 30 born, 31 let go).
  virtual void broadcastEffect(MobEntity* mob, uint8_t effect) = 0;
};

class NullStableMobs final : public StableMobs {
 public:
  bool cellOf(MobEntity*, int32_t&, int32_t&) override { return false; }
  engine::Vec2 positionOf(MobEntity*) override { return {}; }
  void setStable(MobEntity*, LogicBlock*) override {}
  void markRemoved(MobEntity*) override {}
  void broadcastEffect(MobEntity*, uint8_t) override {}
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<StableMobs, NullStableMobs>& stableMobsSeam();
inline StableMobs& stableMobs() { return stableMobsSeam().get(); }
inline void setStableMobs(StableMobs* mobs) { stableMobsSeam().set(mobs); }
