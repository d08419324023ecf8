#pragma once
// A thrown toy: a treasure that moves by its toy spec. While rolling it gets lift (at most 0.4 a
// tick) and spins or faces its motion; it bounces by its own factors, or, for a bursting toy,
// ends at the first wall, floor or ceiling it touches (with its burst effect where rules run).
//
// Main thread only.

#include "entities/items/toy_spec.h"
#include "entities/items/treasure_entity.h"

class ToyEntity final : public TreasureEntity {
 public:
  static bool holdsKind(EntityKind kind) { return kind == EntityKind::Toy; }
  static constexpr float kMaxLift = 0.4f;

  // `spec` is the item's (never null); `throwerId` 0 for none.
  ToyEntity(World& world, ItemPtr item, const ToySpec& spec, uint32_t throwerId, engine::Vec2 position, MapBlock* cell,
            float speed, float angle, float spread);
  // From a checked record of an item with a toy spec: no thrower.
  ToyEntity(World& world, const EntityRecord& record, const ToySpec& spec);

  void update() override;
  void hitLeftWall() override;
  void hitRightWall() override;
  void hitFloor() override;
  void hitCeiling() override;
  uint32_t ownerId() const override { return throwerId_; }
  void forgetOwner(uint32_t playerId) override {
    if (playerId == throwerId_) throwerId_ = 0;
  }

  const ToySpec& spec() const { return *spec_; }
  float rotation = 0;
  bool flipped = false;

 private:
  // True when the toy burst (and is removed).
  bool burst();

  const ToySpec* spec_;
  uint32_t throwerId_ = 0;
};
