#include "world/blocks/forge.h"

#include <array>

#include "content/items/item.h"
#include "content/items/item_ptr.h"

namespace {

constexpr std::array<SmeltRow, 24> kSmelting = {{
    {65, 1538, 5, 1},    {735, 1474, 5, 1},   {256, 1602, 6, 1},   {257, 1666, 7, 1},   {448, 1730, 8, 1},
    {449, 1794, 10, 1},  {640, 1858, 12, 1},  {832, 1922, 14, 1},  {1024, 1986, 14, 1}, {1183, 1247, 5, 1},
    {543, 606, 5, 1},    {2210, 1762, 5, 1},  {2209, 1762, 5, 1},  {2917, 1762, 5, 1},  {170, 234, 4, 1},
    {298, 362, 5, 1},    {426, 490, 5, 1},    {554, 618, 5, 1},    {877, 941, 5, 1},    {812, 876, 5, 1},
    {2760, 3720, 5, 1},  {682, 746, 5, 1},    {2984, 1762, 5, 1},  {1216, 1359, 5, 1},
}};

struct FuelRow {
  uint16_t item;
  uint16_t steps;
};

constexpr std::array<FuelRow, 23> kFuel = {{
    {612, 8},    {548, 8},    {740, 8},    {676, 8},   {868, 8},    {932, 8},    {1964, 10}, {2149, 16},
    {2085, 16},  {2277, 16},  {2213, 16},  {2023, 16}, {2024, 16},  {94, 8},     {64, 30},   {2851, 120},
    {164, 300},  {1343, 500}, {1954, 20},  {1124, 10}, {1636, 18},  {1828, 18},  {1060, 10},
}};

}  // namespace

const SmeltRow* smeltRowFor(uint16_t inputId) {
  for (const SmeltRow& row : kSmelting) {
    if (row.input == inputId) return &row;
  }
  return nullptr;
}

uint16_t fuelStepsFor(uint16_t itemId) {
  for (const FuelRow& row : kFuel) {
    if (row.item == itemId) return row.steps;
  }
  return 0;
}

Forge::Forge(MapBlock& cell) : LogicItemBlock(cell, BlockEntityKind::Forge, 3) {}

void Forge::dropContents(LogicEntities& rules) { dropAll(rules); }

void Forge::restore(std::array<ItemPtr, 3> slots, uint16_t fuelLeft, uint16_t smeltLeft) {
  for (size_t slot = 0; slot < slots.size(); ++slot) putItem(slot, std::move(slots[slot]));
  fuelLeft_ = fuelTotal_ = fuelLeft;
  smeltLeft_ = smeltTotal_ = smeltLeft;
  burning_ = fuelLeft > 0 ? 1 : 0;
}

void Forge::setItem(uint8_t slot, ItemPtr item) {
  const int32_t previous = inputId();
  putItem(slot, std::move(item));
  recheck(previous);
}

int32_t Forge::inputId() const {
  const Item* input = itemAt(kInput);
  return input != nullptr ? input->id : -1;
}

// An input with a row, and room for what it gives: an empty output, or the same item with room
// for one more unit's worth below the stack limit.
bool Forge::smeltable() const {
  const Item* input = itemAt(kInput);
  const SmeltRow* row = input != nullptr ? smeltRowFor(input->id) : nullptr;
  if (row == nullptr) return false;
  const Item* output = itemAt(kOutput);
  return output == nullptr || (output->id == row->output && output->count + row->count <= ITEM_STACK_LIMIT);
}

void Forge::useOne(size_t slot) {
  Item* item = itemAt(slot);
  if (item == nullptr) return;
  if (item->count > 1) {
    --item->count;
    return;
  }
  takeItem(slot);
}

bool Forge::recheck(int32_t previousInputId) {
  const bool canSmelt = smeltable();
  bool lit = false;
  const Item* fuel = itemAt(kFuel);
  if (fuelLeft_ == 0 && canSmelt && fuel != nullptr && fuelStepsFor(fuel->id) != 0) {
    fuelLeft_ = fuelTotal_ = fuelStepsFor(fuel->id);
    useOne(kFuel);
    burning_ = 1;
    lit = true;
  }
  if (inputId() != previousInputId) smeltLeft_ = 0;
  if (fuelLeft_ == 0 || !canSmelt) {
    smeltLeft_ = 0;
  } else if (smeltLeft_ == 0) {
    smeltLeft_ = smeltTotal_ = smeltRowFor(itemAt(kInput)->id)->steps;
  }
  return lit;
}

// One unit of the input becomes the row's output, when the output slot can take it.
bool Forge::produceOne() {
  const Item* input = itemAt(kInput);
  const SmeltRow* row = input != nullptr ? smeltRowFor(input->id) : nullptr;
  if (row == nullptr) return false;
  ItemPtr made = newItem(row->output, -1, row->count, -1, 0);
  if (made == nullptr) return false;
  Item* output = itemAt(kOutput);
  if (output == nullptr) {
    putItem(kOutput, std::move(made));
  } else if (output->canStackWith(*made) && output->count + made->count <= ITEM_STACK_LIMIT) {
    output->count = static_cast<uint16_t>(output->count + made->count);
  } else {
    return false;
  }
  useOne(kInput);
  return true;
}

int Forge::smeltStep() {
  if (burning_ == 0) return kCold;
  bool changed = false;
  bool produced = false;
  if (smeltLeft_ > 0) --smeltLeft_;
  if (smeltLeft_ == 0) {
    produced = produceOne();
    changed = true;
  }
  if (fuelLeft_ > 0 && --fuelLeft_ == 0) {
    burning_ = 0;
    changed = true;
  }
  if (changed && recheck(inputId())) return kWorked;
  return produced ? kWorked : kIdle;
}
