#pragma once
// An alchemy lab: four ingredient slots (0-3) and the output slot (4), and the brewing flag that
// is set while a brew runs. Closing the lab stops the brew.

#include <cstddef>
#include <cstdint>

#include "world/blocks/logic_block.h"

struct PotionResult;

class AlchemyLab : public LogicItemBlock {
 public:
  static constexpr size_t kIngredientSlots = 4;
  static constexpr size_t kOutputSlot = 4;

  explicit AlchemyLab(MapBlock& cell);

  static bool holdsKind(BlockEntityKind kind) { return kind == BlockEntityKind::AlchemyLab; }

  void close() override;
  void dropContents(LogicEntities& rules) override;
  // The stack goes into the slot; what the slot held goes back to the pool.
  virtual void setItem(uint8_t slot, ItemPtr item);

  // One potion of the recipe goes to the output slot and every ingredient slot gives one unit;
  // false, using nothing, when the output holds another item or a full stack (999).
  bool brew(const PotionResult& recipe);

  bool brewing() const { return brewing_ != 0; }
  void setBrewing(bool on) { brewing_ = on ? 1 : 0; }

 private:
  uint8_t brewing_ = 0;
};
