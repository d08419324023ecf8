#pragma once
// An item stack lying or flying in the world: a dropped or thrown item, a shelf's display, a fallen
// fruit. It owns its item (back to the pool when it is deleted), lives 36000 ticks (10 minutes)
// of motion, and, when it comes to rest where rules run, is offered to the players on its cell
// (`Logic::applyToPlayersOnCell`). A frozen treasure (a display) never moves or ages.
//
// Main thread only.

#include "content/items/item_ptr.h"
#include "entities/core/entity_cast.h"
#include "entities/core/real_entity.h"

class TreasureEntity : public RealEntity {
 public:
  // A dropped stack, a fruit, a toy or a fish.
  static bool holdsKind(EntityKind kind) {
    return kind == EntityKind::Treasure || kind == EntityKind::Fruit || kind == EntityKind::Toy ||
           kind == EntityKind::Fish;
  }
  static constexpr float kLifetime = 36000;
  // The half size of a thing whose picture has no size (a dress of an item that is not worn).
  static constexpr float kIconHalfSize = 7.5f;
  static constexpr uint32_t kRowValueOne = 0x3F800000;  // the bits of 1.0f

  // `item` is never null.
  TreasureEntity(World& world, EntityKind kind, ItemPtr item, engine::Vec2 position, MapBlock* cell, float speed,
                 float angle, float spread);
  // From a checked record: a new item of the record's id, variant and count.
  TreasureEntity(World& world, const EntityRecord& record);
  ~TreasureEntity() override;

  void update() override;
  void onStop() override;
  void toRecord(EntityRecord& record) const override;
  virtual void onExpire() {}
  // Removed, taken or frozen: no player may take it.
  virtual bool isGone() const { return data.removed || taken || data.frozen; }

  Item& item() const { return *item_; }

  bool foundFlag = false;  // the finder records statistic 1 with the item id
  bool taken = false;      // a player has it; the removal is pending

 protected:
  // The steps after a kind's own (the common treasure tick).
  void treasureUpdate();

 private:
  // Half sizes: half the item icon's width and height (the icon atlas's layout).
  void takeIconSize();

  ItemPtr item_;
};

// The treasure an entity is, or null, by its kind (entity_cast.h).
inline TreasureEntity* treasureOf(RealEntity& entity) { return entity_cast<TreasureEntity>(&entity); }
inline const TreasureEntity* treasureOf(const RealEntity& entity) { return entity_cast<TreasureEntity>(&entity); }
