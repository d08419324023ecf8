#pragma once
// A creature of the world, driven by one row of the mob table: health, resistances, a small state
// machine and a think step that each AI kind supplies (jumper, walker, flyer, floater; pets follow
// their owner). Every movement a mob decides goes out through its world's rules, so a host can
// repeat it to its clients; on a client a mob never thinks (`aiOn` stays clear without rules).
//
// A mob adds one to its population group's live count when the rules make it and takes it away
// again on `remove`; the spawner's caps read those counts.
//
// Angles handed to `leap`, `knockBack` and the impulse operations are radians.
//
// Main thread only.

#include <cstdint>

#include "entities/core/entity_cast.h"
#include "entities/core/real_entity.h"

struct MobDef;

namespace mob_state {
constexpr int32_t kWalkingLeft = 0;
constexpr int32_t kWalkingRight = 1;
constexpr int32_t kAttacking = 2;
constexpr int32_t kIdle = 3;
constexpr int32_t kLeaping = 4;
constexpr int32_t kPushed = 5;
constexpr int32_t kHalted = 6;
}  // namespace mob_state

enum class MobAiKind : uint8_t { Jumper = 0, Walker = 1, Flyer = 2, Floater = 3 };

// Who hurt the mob, as far as the mob needs to know: the rules implement it for a player.
class MobAttacker {
 public:
  virtual ~MobAttacker() = default;
  // The held weapon halves the mob's resistance.
  virtual bool halvesResistance() const = 0;
  // Health won back from the damage dealt (life steal); 0 for none.
  virtual float lifeSteal() const = 0;
  virtual void gainHealth(float amount) = 0;
  virtual void recordKill(uint16_t mobId) = 0;
  virtual float lootFactor() const = 0;
  virtual float lootBonus() const = 0;
};

// Called with a mob of a row that has just died (one per row, set by the content's effects).

class MobEntity : public RealEntity {
 public:
  // Made by the mob factory, from a mob's row or record: mobs and pets.
  static bool holdsKind(EntityKind kind) { return kind == EntityKind::Mob || kind == EntityKind::Pet; }
  static constexpr uint8_t kGroups = 6;
  static constexpr uint8_t kPetGroup = 5;
  static constexpr uint8_t kDeathEffect = 27;
  static constexpr uint8_t kHurtEffect = 25;
  static constexpr uint8_t kBounceDamageType = 4;  // types from 4 on take no resistance
  static constexpr uint16_t kKillStat = 32;

  // Made by the rules: the row's size and physics word, full health, idle, thinking; counted in
  // its group. `motion` is the start impulse as (strength, angle).
  MobEntity(World& world, EntityKind kind, const MobDef& row, uint8_t group, engine::Vec2 position,
            engine::Vec2 motion);
  // A peer's mob: it mirrors the host, counts in no group and thinks only once rules exist.
  MobEntity(World& world, const MobDef& row, const EntityData& state);

  void update() override;
  void onStop() override;
  void addImpulse(float strength, float angle, bool reset) override;
  void setImpulse(engine::Vec2 impulse) override;
  void toRecord(EntityRecord& record) const override;

  virtual void startWalk(int32_t walkState, float speed, float time) {
    (void)walkState, (void)speed, (void)time;
  }
  // The speed of the walk under way, which peers replay; only walkers walk.
  virtual float walkingSpeed() const { return 0.0f; }
  virtual void leap(float strength, float angle);
  virtual void think() = 0;
  virtual void updateAnimation() = 0;
  virtual void recover();

  // True when this call killed the mob; a dead mob takes nothing.
  bool applyDamage(float amount, uint8_t type, MobAttacker* attacker);
  virtual void knockBack(float strength, float angle, bool flag, const MapBlock* cell);
  // Ends the mob: out of its group's count, out of its stable.
  void remove();

  const MobDef& row() const { return *row_; }
  // The row's index in the mob table (what a record names); a row kept elsewhere gives its id.
  uint16_t rowIndex() const;
  MobAiKind aiKind() const;
  bool facingRight() const { return facingRight_; }
  void face(bool right) { facingRight_ = right; }
  float healthFraction() const;

  uint8_t populationGroup = 0;
  float health = 0;
  bool alive = true;
  uint8_t liquidKind = 0;
  uint8_t air = 5;
  int32_t state = mob_state::kIdle;
  uint8_t shotsFired = 0;
  uint8_t animation = 0;  // the animation state the drawing side plays
  bool aiOn = false;
  bool knockFlag = false;
  const MapBlock* knockCell = nullptr;
  // The stable that keeps the mob (none: free); the stable holds the mob by id.
  bool inStable = false;

 protected:
  // Uniform in 0..1 from the game's generator.
  static float unit();
  static float uniform(float a, float b) { return a + unit() * (b - a); }
  static bool chance(float p);
  bool passable(int32_t x, int32_t y) const;
  MapBlock* cellAtOffset(int32_t dx, int32_t dy) const;
  // A two-picture cycle of 24 ticks: `first` for twelve ticks, then `second` for twelve.
  static uint8_t cycleFrames(int8_t& frame, uint8_t first, uint8_t second);
  // The mob's x less its cell's centre.
  float offset() const { return data.x - data.cellX; }

 private:
  void bounceOffPlayer();

  const MobDef* row_;
  bool facingRight_ = false;
  bool counted_ = false;
};

// Degrees to the radians the impulse operations take.
inline float mobDegrees(float degrees) { return degrees * 0.017453292f; }

// The mob an entity is, or null, by its kind (entity_cast.h).
inline MobEntity* mobOf(RealEntity& entity) { return entity_cast<MobEntity>(&entity); }
inline const MobEntity* mobOf(const RealEntity& entity) { return entity_cast<MobEntity>(&entity); }
