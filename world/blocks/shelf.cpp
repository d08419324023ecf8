#include "world/blocks/shelf.h"

#include <initializer_list>
#include <vector>

#include "content/items/item.h"
#include "content/tables/item_def.h"
#include "engine/base/random.h"
#include "world/cells/map_block.h"
#include "world/rules/logic.h"
#include "world/seams/entity_effects.h"
#include "world/seams/shelf_displays.h"
#include "world/world.h"

namespace {

constexpr uint16_t kItemsKind = 0, kClothingKind = 1, kFishKind = 2;

std::vector<ShelfRow> buildShelfTable() {
  std::vector<ShelfRow> rows;
  rows.push_back({1635, 324, 4, kFishKind, 3});
  const uint16_t twoSlotLayout1[] = {210, 224, 179, 1733, 1880, 1446, 606, 638, 670, 702, 734,
                                     766, 798, 830, 602, 634, 666, 698, 730, 762, 794, 826};
  const uint16_t twoSlotLayout1Items[] = {866, 738, 930, 1520, 1589, 1968, 4063, 4064, 4065, 4066, 4067,
                                          4068, 4069, 4070, 3807, 3808, 3809, 3810, 3811, 3812, 3813, 3814};
  for (size_t i = 0; i < std::size(twoSlotLayout1); ++i) rows.push_back({twoSlotLayout1Items[i], twoSlotLayout1[i], 2, kItemsKind, 1});
  const uint16_t twoSlotLayout0[] = {603, 635, 667, 699, 731, 763, 795, 827};
  for (size_t i = 0; i < std::size(twoSlotLayout0); ++i) {
    rows.push_back({static_cast<uint16_t>(3871 + i), twoSlotLayout0[i], 2, kItemsKind, 0});
  }
  rows.push_back({354, 212, 4, kItemsKind, 3});
  rows.push_back({2536, 527, 4, kItemsKind, 3});
  const uint16_t stands[] = {320, 321, 322, 323};
  const uint16_t standItems[] = {1758, 1759, 1823, 1887};
  for (size_t i = 0; i < 4; ++i) rows.push_back({standItems[i], stands[i], 4, kClothingKind, 3});
  return rows;
}

const std::vector<ShelfRow>& shelfTable() {
  static const std::vector<ShelfRow> rows = buildShelfTable();
  return rows;
}

float uniform(float lo, float hi) { return lo + (hi - lo) * static_cast<float>(engine::randomNext()) / 32767.0f; }

engine::Vec2 offset(engine::Vec2 at, float dx, float dy) { return {at.x + dx, at.y + dy}; }

// Display parts of a clothing slot.
const std::initializer_list<uint8_t>& dressParts(uint8_t slot) {
  static const std::initializer_list<uint8_t> kParts[4] = {{0}, {1, 2, 3}, {6, 7}, {8, 9}};
  return kParts[slot & 3];
}

ItemPtr copyOf(const Item& item, uint16_t count) {
  return newItem(item.id, static_cast<int8_t>(item.variant), count, static_cast<int16_t>(item.durability), item.word);
}

}  // namespace

const ShelfRow* shelfRowFor(uint16_t blockId) {
  for (const ShelfRow& row : shelfTable()) {
    if (row.block == blockId) return &row;
  }
  return nullptr;
}

Shelf::Shelf(World& world, MapBlock& cell, const ShelfRow& row)
    : LogicItemBlock(cell, BlockEntityKind::Shelf, row.slots), world_(world), row_(row) {}

bool Shelf::creative() const { return world_.isCreative(); }

EntityId Shelf::displayId(Entity* display) const { return world_.effects().idOf(display); }

Entity* Shelf::display(size_t index) const { return world_.effects().entityById(displays_[index]); }

std::unique_ptr<Shelf> Shelf::create(World& world, MapBlock& cell) {
  const ShelfRow* row = shelfRowFor(cell.frontId());
  if (row == nullptr) return nullptr;
  switch (row->kind) {
    case kItemsKind: return std::make_unique<Shelves::ShelfItems>(world, cell, *row);
    case kClothingKind: return std::make_unique<Shelves::ShelfDresses>(world, cell, *row);
    default: return std::make_unique<Shelves::ShelfFishes>(world, cell, *row);
  }
}

void Shelf::showMissingDisplays() {
  for (uint8_t slot = 0; slot < slotCount(); ++slot) {
    if (itemAt(slot) != nullptr && !slotShown(slot)) showSlot(slot);
  }
}

bool putItemOnShelf(World& world, MapBlock& cell, ItemPtr& held, uint8_t position) {
  if (held == nullptr || held->count == 0) return false;
  Shelf* shelf = world.shelves().findAt(cell);
  if (shelf == nullptr) {
    std::unique_ptr<Shelf> made = Shelf::create(world, cell);
    if (made == nullptr) return false;
    shelf = made.get();
    world.shelves().add(std::move(made));
  }
  ItemPtr unit(copyOf(*held, 1));
  if (unit == nullptr) return false;
  const uint8_t slot = shelf->findSlotFor(*unit, position);
  // Refused, the unit goes back to the pool: the held stack never gave it up.
  if (slot == Shelf::kNoSlot || slot >= shelf->slotCount() || shelf->itemAt(slot) != nullptr) return false;
  shelf->setItem(slot, std::move(unit));
  if (held->count > 1) {
    --held->count;
  } else {
    held.reset();
  }
  return true;
}

namespace Shelves {

// ---- Items ----

uint8_t ShelfItems::findSlotFor(const Item&, uint8_t position) const {
  if (slotCount() == 1) return 0;
  if (slotCount() == 2) return position != 0 && position != 2 ? 1 : 0;
  return position < slotCount() ? position : kNoSlot;
}

void ShelfItems::setItem(uint8_t slot, ItemPtr item) {
  if (slot >= slotCount()) return;
  putItem(slot, std::move(item));
  showSlot(slot);
}

void ShelfItems::showSlot(uint8_t slot) {
  const Item* shown = itemAt(slot);
  if (shown == nullptr) return;
  engine::Vec2 at = cellPixelPosition(cell());
  if (slotCount() > 1) at.x += slot % 2 == 0 ? -7.5f : 7.5f;
  if (slot >= 2) at.y -= 15.0f;
  if (slotCount() < 3 && row().layout == 0) at.y -= 4.0f;
  displays_[slot] = displayId(world().rules().spawnTreasureEntity(*shown, at, {0, 0}, &cell()));
}

bool ShelfItems::slotShown(uint8_t slot) const { return display(slot) != nullptr; }

bool ShelfItems::clearDisplay(LogicEntities& rules) {
  bool any = false;
  for (uint8_t slot = 0; slot < slotCount(); ++slot) {
    Item* item = itemAt(slot);
    if (item == nullptr) continue;
    any = true;
    if (displays_[slot] != kNoEntity) {
      // A display that is gone already leaves nothing to show or to drop.
      Entity* shown = display(slot);
      if (shown != nullptr && creative()) world().shelfDisplays().markForRemoval(shown);
      if (shown != nullptr && !creative()) rules.wakeEntity(shown);
    } else if (!creative()) {
      rules.spawnItemDrop(copyOf(*item, item->count), cellPixelPosition(cell()), 7);
    }
    takeItem(slot);
    displays_[slot] = kNoEntity;
  }
  return any;
}

// ---- Clothing ----

uint8_t ShelfDresses::findSlotFor(const Item& item, uint8_t) const {
  const ItemDef* def = item.definition();
  if (def == nullptr) return kNoSlot;
  const uint8_t kind = def->record.kind();
  return kind >= 10 && kind <= 13 ? static_cast<uint8_t>(kind - 10) : kNoSlot;
}

void ShelfDresses::setItem(uint8_t slot, ItemPtr item) {
  if (slot >= slotCount() || item == nullptr) return;
  putItem(slot, std::move(item));
  showSlot(slot);
}

void ShelfDresses::showSlot(uint8_t slot) {
  const Item* stored = itemAt(slot);
  if (stored == nullptr) return;
  const engine::Vec2 at = offset(cellPixelPosition(cell()), 1.0f, 6.0f);
  for (uint8_t part : dressParts(slot)) {
    if (ItemPtr shown = copyOf(*stored, 1)) {
      displays_[part] = displayId(world().rules().spawnDress(std::move(shown), at, {0, 0}));
    }
  }
}

bool ShelfDresses::slotShown(uint8_t slot) const {
  for (uint8_t part : dressParts(slot)) {
    if (display(part) == nullptr) return false;
  }
  return true;
}

bool ShelfDresses::clearDisplay(LogicEntities& rules) {
  bool any = false;
  for (uint8_t slot = 0; slot < slotCount(); ++slot) {
    ItemPtr item = takeItem(slot);
    if (item == nullptr) continue;
    any = true;
    const engine::Vec2 at = offset(cellPixelPosition(cell()), 1.0f + 8.0f, 6.0f);
    rules.spawnItemEntity(std::move(item), at, 0, 0, 0);
    for (uint8_t part : dressParts(slot)) {
      if (Entity* shown = display(part)) world().shelfDisplays().markForRemoval(shown);
      displays_[part] = kNoEntity;
    }
  }
  return any;
}

// ---- Fish ----

uint8_t ShelfFishes::findSlotFor(const Item& item, uint8_t) const {
  if (!world().shelfDisplays().isShowableFish(item.id)) return kNoSlot;
  for (uint8_t slot = 0; slot < slotCount(); ++slot) {
    if (itemAt(slot) == nullptr) return slot;
  }
  return kNoSlot;
}

void ShelfFishes::setItem(uint8_t slot, ItemPtr item) {
  if (slot >= slotCount() || item == nullptr) return;
  putItem(slot, std::move(item));
  showSlot(slot);
}

void ShelfFishes::showSlot(uint8_t slot) {
  const Item* stored = itemAt(slot);
  if (stored == nullptr) return;
  const engine::Vec2 at = offset(cellPixelPosition(cell()), uniform(-3.75f, 3.75f), uniform(-3.75f, 3.75f));
  displays_[slot] = displayId(world().shelfDisplays().showFish(*stored, cell(), at));
}

bool ShelfFishes::slotShown(uint8_t slot) const { return display(slot) != nullptr; }

bool ShelfFishes::clearDisplay(LogicEntities& rules) {
  bool any = false;
  for (uint8_t slot = 0; slot < slotCount(); ++slot) {
    ItemPtr item = takeItem(slot);
    if (item == nullptr) continue;
    any = true;
    if (Entity* shown = display(slot)) world().shelfDisplays().markForRemoval(shown);
    displays_[slot] = kNoEntity;
    const engine::Vec2 at = offset(cellPixelPosition(cell()), uniform(-7.5f, 7.5f), uniform(-3.75f, 3.75f));
    rules.spawnItemEntity(std::move(item), at, 0, 0, 0);
  }
  return any;
}

void ShelfFishes::dropContents(LogicEntities& rules) {
  rules.pushEntitiesOutOfCell(cell());
  clearDisplay(rules);
}

}  // namespace Shelves
