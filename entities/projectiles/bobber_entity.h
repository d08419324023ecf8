#pragma once
// The fishing bobber: a projectile of a bobber row that, once it splashes into water, waits for a
// bite. States: 0 cast, 1 floating, 2 nibbling, 3 biting, 4 hooked, 5 fading while sinking, 6 fading
// while rising. Where rules run it drives its own cycle through `Logic::setBobberState` (the host
// tells its peers); a client only follows. Bad water (neither a source cell nor full) or a caster
// without a rod makes it rise and fade; landing on ground ends it at once; a caster who left makes
// it end at its next cell or state change. Its `timer` is the bite timer.
//
// Main thread only.

#include "entities/projectiles/bullet_entity.h"

class FishingOwners;

class BobberEntity final : public BulletEntity {
 public:
  static bool holdsKind(EntityKind kind) { return kind == EntityKind::Bobber; }
  static constexpr float kReelTicks = 180;
  static constexpr uint16_t kSoundBite = 43;
  static constexpr uint16_t kTextBadWater = 157;
  static constexpr uint16_t kTextOnGround = 158;

  BobberEntity(World& world, uint16_t row, uint32_t ownerId, engine::Vec2 position, MapBlock* cell, float speed,
               float angle, FishingOwners& owners);
  BobberEntity(World& world, const EntityRecord& record, FishingOwners& owners);

  void update() override;
  void enterLowerCell() override;
  void onRest() override;
  void toRecord(EntityRecord& record) const override;
  // The state change the rules (or the host's message) ask for.
  void setState(uint8_t state);

  uint8_t state = 0;
  bool splashed = false;
  float lineY = 0;
  float reelTimer = kReelTicks;
  float phase = 0;
  float opacity = 255;

 private:
  void floatOnLine();
  void fishingStep();
  bool ownerPresent() const;
  void askState(uint8_t state);

  FishingOwners* owners_;
};
