#pragma once
// A chest: a fixed number of item slots (by chest block) shown a page at a time from a scroll
// offset. Chest blocks and their slot counts come from the content's chest table.

#include <cstdint>

#include "world/blocks/logic_block.h"

class Chest : public LogicItemBlock {
 public:
  // The cell's front block must be a chest block (see isChestBlock).
  Chest(MapBlock& cell, uint16_t blockId);
  // A chest of a given number of slots (a copy of another machine's chest).
  struct SlotCount {
    size_t slots;
  };
  Chest(MapBlock& cell, SlotCount count) : LogicItemBlock(cell, BlockEntityKind::Chest, count.slots) {}

  static bool holdsKind(BlockEntityKind kind) { return kind == BlockEntityKind::Chest; }

  void dropContents(LogicEntities& rules) override;
  // offset = max(offset - n, 0); whether the offset is still above 0.
  virtual bool prevPage(int32_t n);
  // offset += n; whether another page follows (offset + n below slot count - 1).
  virtual bool nextPage(int32_t n);
  // The stack goes into the slot; what the slot held goes back to the pool.
  virtual void setItem(int32_t index, ItemPtr item);

  int32_t offset() const { return offset_; }

 private:
  int32_t offset_ = 0;
};

bool isChestBlock(uint16_t blockId);
