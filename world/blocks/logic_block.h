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

class Item;
class LogicEntities;
class MapBlock;

// A checked reference to a block entity: its serial (0: none). One number, so it may be kept,
// compared and sent anywhere; resolve it through the world each time it is used.
struct BlockEntityHandle {
  uint32_t serial = 0;

  explicit operator bool() const { return serial != 0; }
  bool operator==(const BlockEntityHandle&) const = default;
};

class LogicBlock {
 public:
  explicit LogicBlock(MapBlock& cell);
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

 private:
  MapBlock* cell_;
  uint32_t serial_;
  uint8_t inUse_ = 0;
};

// A block entity holding item stacks, one pointer per slot (null = empty). The stacks belong to
// the entity: whatever is still held when it goes back returns to the item pool.
class LogicItemBlock : public LogicBlock {
 public:
  LogicItemBlock(MapBlock& cell, size_t slots) : LogicBlock(cell), slots_(slots, nullptr) {}
  ~LogicItemBlock() override;

  size_t slotCount() const { return slots_.size(); }
  Item* itemAt(size_t slot) const { return slot < slots_.size() ? slots_[slot] : nullptr; }
  bool holdsAnyItem() const;
  // Forgets the slot's stack without freeing it (the caller already gave it back).
  void clearSlot(size_t slot) {
    if (slot < slots_.size()) slots_[slot] = nullptr;
  }

 protected:
  // Stores the stack in the slot (ownership passes in; what the slot held was handed on by the
  // caller); a slot out of range has no place for it, so it goes back to the pool.
  void putItem(size_t slot, Item* item);
  // Each held stack, in slot order, drops at the cell through the rules; the slots empty.
  void dropAll(LogicEntities& rules);
  std::vector<Item*>& slots() { return slots_; }

 private:
  std::vector<Item*> slots_;
};
