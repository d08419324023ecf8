#pragma once
// A forge (block 33): fuel burns for a number of steps and, while it burns, the input item turns
// into the output item one unit at a time by the smelting table. The rules step every forge every
// 3 s; the forge window reads the counters for its progress bars. Slots: 0 fuel, 1 input, 2
// output. An output never grows past a stack's 999 units: a forge whose output is full (or holds
// another item) stops smelting and keeps its input. Main thread only.

#include <array>
#include <cstdint>

#include "world/blocks/logic_block.h"

struct SmeltRow {
  uint16_t input;
  uint16_t output;
  uint16_t steps;  // per unit
  uint16_t count;  // output units per unit of input
};

// The smelting row of an input item (first match), null when it does not smelt.
const SmeltRow* smeltRowFor(uint16_t inputId);
// The steps one unit of a fuel burns, 0 for an item that is no fuel.
uint16_t fuelStepsFor(uint16_t itemId);

class Forge : public LogicItemBlock {
 public:
  static constexpr size_t kFuel = 0;
  static constexpr size_t kInput = 1;
  static constexpr size_t kOutput = 2;
  // What a step did.
  static constexpr int kIdle = 1;
  static constexpr int kCold = 2;
  static constexpr int kWorked = 3;  // produced an item or lit fuel

  explicit Forge(MapBlock& cell);

  static bool holdsKind(BlockEntityKind kind) {
    return kind == BlockEntityKind::Forge || kind == BlockEntityKind::ForgeCopy;
  }

  void dropContents(LogicEntities& rules) override;
  // Stores the stack (what the slot held goes back to the pool), then rechecks with the input
  // held before.
  virtual void setItem(uint8_t slot, ItemPtr item);
  // Lights fuel and (re)starts the smelt countdown as the slots allow; true when it lit fuel.
  bool recheck(int32_t previousInputId);
  // One timed step: kCold when not burning, kWorked when it produced or lit fuel, else kIdle.
  int smeltStep();
  // A loaded forge: its three stacks and what was left of its fuel and of the unit being smelted,
  // without lighting fuel anew; the totals start at what is left.
  void restore(std::array<ItemPtr, 3> slots, uint16_t fuelLeft, uint16_t smeltLeft);

  uint16_t fuelLeft() const { return fuelLeft_; }
  uint16_t smeltLeft() const { return smeltLeft_; }
  uint16_t fuelTotal() const { return fuelTotal_; }
  uint16_t smeltTotal() const { return smeltTotal_; }
  bool burning() const { return burning_ != 0; }

 protected:
  // A copy of another machine's forge.
  struct Copy {};
  Forge(MapBlock& cell, Copy) : LogicItemBlock(cell, BlockEntityKind::ForgeCopy, 3) {}
  // The counters as another machine's forge has them (a copy of that forge shows them).
  void setCounters(uint16_t fuelLeft, uint16_t smeltLeft, uint16_t fuelTotal, uint16_t smeltTotal,
                   bool burning) {
    fuelLeft_ = fuelLeft;
    smeltLeft_ = smeltLeft;
    fuelTotal_ = fuelTotal;
    smeltTotal_ = smeltTotal;
    burning_ = burning ? 1 : 0;
  }

 private:
  int32_t inputId() const;
  bool smeltable() const;
  bool produceOne();
  void useOne(size_t slot);

  uint16_t fuelLeft_ = 0;
  uint16_t smeltLeft_ = 0;
  uint16_t fuelTotal_ = 0;
  uint16_t smeltTotal_ = 0;
  uint8_t burning_ = 0;
};
