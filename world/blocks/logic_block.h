#pragma once
// A block that carries state beyond its cell (a chest's items, a sign's text): one entity per such
// cell, made when the block is placed and removed, with its drops, when the block goes. The cell
// is borrowed from the world's map, which outlives every entity of the world. The in-use flag is
// set while a player has the entity open. Main thread only.
//
// Whatever refers to an entity across calls (the container a player has open) keeps its
// `BlockEntityHandle`, never its address: every entity gets a serial of its own when it is made,
// never given to another one in the process, and the world's lists resolve a handle to the entity
// while it lives and to null once it is gone (released, or its world ended).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "content/items/item_ptr.h"

class Item;
class LogicEntities;
class MapBlock;

// What a block entity is made as, fixed when it is made: a copy of another machine's forge is
// told apart from a forge that smelts, every other copy is its kind.
enum class BlockEntityKind : uint8_t { Chest, AlchemyLab, Forge, ForgeCopy, Sign, Shelf, Stable };

// A checked reference to a block entity: its serial (0: none). One number, so it may be kept,
// compared and sent anywhere; resolve it through the world each time it is used.
struct BlockEntityHandle {
  uint32_t serial = 0;

  explicit operator bool() const { return serial != 0; }
  bool operator==(const BlockEntityHandle&) const = default;
};

class LogicBlock {
 public:
  LogicBlock(MapBlock& cell, BlockEntityKind kind);
  LogicBlock(const LogicBlock&) = delete;
  LogicBlock& operator=(const LogicBlock&) = delete;

  virtual void close() { inUse_ = 0; }
  virtual void open() { inUse_ = 1; }
  // Drops what the entity holds into the world through the rules.
  virtual void dropContents(LogicEntities& rules) = 0;
  virtual ~LogicBlock() = default;

  MapBlock& cell() const { return *cell_; }
  bool inUse() const { return inUse_ != 0; }
  BlockEntityHandle handle() const { return {serial_}; }
  BlockEntityKind kind() const { return kind_; }
  static bool holdsKind(BlockEntityKind) { return true; }

 private:
  MapBlock* cell_;
  uint32_t serial_;
  BlockEntityKind kind_;
  uint8_t inUse_ = 0;
};

// A block entity holding item stacks, one per slot (null = empty). The stacks belong to the
// entity: whatever is still held when it goes back returns to the item pool.
class LogicItemBlock : public LogicBlock {
 public:
  LogicItemBlock(MapBlock& cell, BlockEntityKind kind, size_t slots) : LogicBlock(cell, kind), slots_(slots) {}

  static bool holdsKind(BlockEntityKind kind) {
    return kind != BlockEntityKind::Sign && kind != BlockEntityKind::Stable;
  }

  size_t slotCount() const { return slots_.size(); }
  // The slot's stack, still the entity's (null: empty or out of range).
  Item* itemAt(size_t slot) const { return slot < slots_.size() ? slots_[slot].get() : nullptr; }
  bool holdsAnyItem() const;
  // The slot's stack leaves the entity (null: empty or out of range); the slot is empty after.
  // Only the slot changes: a copy of another machine's entity tells nobody.
  ItemPtr takeItem(size_t slot) { return slot < slots_.size() ? std::move(slots_[slot]) : nullptr; }

 protected:
  // Stores the stack in the slot; what the slot held goes back to the pool, and so does a stack
  // for a slot out of range, which has no place for it.
  void putItem(size_t slot, ItemPtr item);
  // Each held stack, in slot order, drops at the cell through the rules; the slots empty.
  void dropAll(LogicEntities& rules);
  std::vector<ItemPtr>& slots() { return slots_; }

 private:
  std::vector<ItemPtr> slots_;
};
