#pragma once
// A stable (blocks 352-355 and 2407-2410) keeps up to three mobs of the kinds that belong to its
// block: it feeds them from its feed slot, lets them produce items, grow up and breed, and lets
// them go when they wander ten or more cells away (measured the short way across the world's
// horizontal wrap). The rules run `updateMobs` every 10 s for every stable not in use, then
// `breed` when it holds exactly two mobs.
//
// The mobs live in the entity lists; a slot keeps its mob's id (never a pointer), with the mob's
// growth or breeding progress (0-200) and its fed level (0-7). Mobs are made through the rules'
// spawnMob and reached, by id, through the stable-mobs seam. Main thread only.

#include <array>
#include <cstdint>

#include "engine/base/geometry.h"
#include "world/blocks/logic_block.h"
#include "world/entities/entity_id.h"

class World;

class Stable : public LogicBlock {
 public:
  static constexpr int kSlots = 3;
  static constexpr uint8_t kFull = 7;
  static constexpr uint8_t kGrown = 200;
  // addMob results
  static constexpr int kPlaced = 0, kNoRoom = 1, kWrongStable = 2, kNoMobItem = 3;

  // The stable keeps the world (which outlives it) for its rules, its mobs and its map.
  Stable(MapBlock& cell, World& world);

  static bool holdsKind(BlockEntityKind kind) { return kind == BlockEntityKind::Stable; }

  void dropContents(LogicEntities& rules) override;
  // The feed; the stack held before goes back to the pool.
  virtual void setItem(ItemPtr feed);
  // The mob kind in the slot, -1 when empty.
  virtual int32_t mobKindAt(int slot) const;
  virtual uint8_t mobFedLevelAt(int slot) const;

  int addMob(uint16_t itemId);
  // An animal read from the world file (kind, progress, fed level) waits for the entity lists;
  // false when three already wait.
  bool restoreAnimal(uint16_t kind, uint8_t progress, uint8_t fed);
  // The waiting animals are made (through the rules) into the free slots, keeping their state.
  void spawnRestoredAnimals();
  void updateMobs();
  void breed();
  void releaseMobs();

  // The feed, still the stable's.
  Item* feed() const { return feed_.get(); }
  // The feed leaves the stable (null: none); the stable tells nobody.
  ItemPtr takeFeed() { return std::move(feed_); }
  uint8_t mobCount() const { return count_; }
  EntityId mobAt(int slot) const { return slots_[static_cast<size_t>(slot)].mob; }
  uint8_t progressAt(int slot) const { return slots_[static_cast<size_t>(slot)].progress; }

 private:
  struct Kept {
    EntityId mob = kNoEntity;
    uint16_t kind = 0;
    uint8_t progress = 0;
    uint8_t fed = 0;
  };

  bool spawnInto(int slot, uint16_t kind, engine::Vec2 position, float speed, float angle);
  void letGo(int slot);
  bool feedAccepted() const;
  void useFeed();
  void growUp(int slot);

  World& world_;
  ItemPtr feed_;
  std::array<Kept, kSlots> slots_{};
  std::array<Kept, kSlots> waiting_{};  // restored animals not yet made (mob stays kNoEntity)
  uint8_t count_ = 0;
};

// The stable blocks themselves are told apart by `isStableBlock` (world/placement/block_tables.h).
// The stable block that takes the mob an item stands for, -1 when the item is no stabled mob.
int32_t stableBlockForItem(uint16_t itemId);
// The item that stands for a carried mob of the kind, -1 when none.
int32_t stableItemForMob(uint16_t mobKind);
// The young of two mobs that may breed (same group, different sexes), picked from either parent's
// row with even chance; -1 when they may not.
int32_t youngKindForPair(uint16_t kindA, uint16_t kindB);
