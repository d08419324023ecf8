#pragma once
// Shelves show what players put on them: items on a plain shelf, clothing on a stand, fish in a
// tank. Each shelf block's entity sits in the world's shelf list; a placed unit is kept in a slot
// and shown by a display entity that the rules (or the shelf displays seam, for fish) make.
// Clearing a shelf removes its displays and gives the items back to the world.
//
// A position at or beyond the shelf's slot count finds no slot, and a unit that finds no place
// never leaves the held stack. Display entities belong to the entity lists; a shelf keeps their
// ids and resolves them through the world's entity effects when it acts on them (a display that
// is gone by then is left alone). Main thread only.

#include <array>
#include <cstdint>
#include <memory>

#include "content/items/item_ptr.h"
#include "world/blocks/logic_block.h"
#include "world/entities/entity_id.h"

class Entity;
class World;

struct ShelfRow {
  uint16_t item;    // the item of the shelf itself
  uint16_t block;
  uint16_t slots;   // 1-4
  uint16_t kind;    // 0 items, 1 clothing, 2 fish
  uint16_t layout;
};

// The row of a shelf block (first match), null for any other block.
const ShelfRow* shelfRowFor(uint16_t blockId);

class Shelf : public LogicItemBlock {
 public:
  static constexpr uint8_t kNoSlot = 255;

  // The entity for the cell's front block by the shelf table; null when it is no shelf block. The
  // shelf keeps the world (which outlives it) for its rules and display seams.
  static std::unique_ptr<Shelf> create(World& world, MapBlock& cell);

  Shelf(World& world, MapBlock& cell, const ShelfRow& row);

  static bool holdsKind(BlockEntityKind kind) { return kind == BlockEntityKind::Shelf; }

  // Stores the unit and shows it; a unit for a slot the shelf lacks goes back to the pool.
  virtual void setItem(uint8_t slot, ItemPtr item) = 0;
  // Removes every display and gives the items back; whether anything was on the shelf.
  virtual bool clearDisplay(LogicEntities& rules) = 0;
  // The slot the unit goes to, kNoSlot for none.
  virtual uint8_t findSlotFor(const Item& item, uint8_t position) const = 0;
  // Shows again every held item whose display is missing: a shelf read from a file keeps its items
  // but none of their displays, which are entities that no file holds, and a world being read has
  // no rules to make them. Run once the world has its rules.
  void showMissingDisplays();
  void dropContents(LogicEntities& rules) override { clearDisplay(rules); }

  const ShelfRow& row() const { return row_; }

 protected:
  // Makes the display of an item the slot holds (its display ids set; none when it holds nothing).
  virtual void showSlot(uint8_t slot) = 0;
  // Whether the slot's item is shown by a display that lives.
  virtual bool slotShown(uint8_t slot) const = 0;
  bool creative() const;
  World& world() const { return world_; }
  // The display made for a unit (kNoEntity when none was made).
  EntityId displayId(Entity* display) const;
  // The display entity while it lives; null when none was made or it is gone.
  Entity* display(size_t index) const;
  std::array<EntityId, 10> displays_{};

 private:
  World& world_;
  const ShelfRow& row_;
};

namespace Shelves {

class ShelfItems final : public Shelf {
 public:
  using Shelf::Shelf;
  void setItem(uint8_t slot, ItemPtr item) override;
  bool clearDisplay(LogicEntities& rules) override;
  uint8_t findSlotFor(const Item& item, uint8_t position) const override;

 private:
  void showSlot(uint8_t slot) override;
  bool slotShown(uint8_t slot) const override;
};

class ShelfDresses final : public Shelf {
 public:
  using Shelf::Shelf;
  void setItem(uint8_t slot, ItemPtr item) override;
  bool clearDisplay(LogicEntities& rules) override;
  uint8_t findSlotFor(const Item& item, uint8_t position) const override;

 private:
  void showSlot(uint8_t slot) override;
  bool slotShown(uint8_t slot) const override;
};

class ShelfFishes final : public Shelf {
 public:
  using Shelf::Shelf;
  void setItem(uint8_t slot, ItemPtr item) override;
  bool clearDisplay(LogicEntities& rules) override;
  uint8_t findSlotFor(const Item& item, uint8_t position) const override;
  void dropContents(LogicEntities& rules) override;

 private:
  void showSlot(uint8_t slot) override;
  bool slotShown(uint8_t slot) const override;
};

}  // namespace Shelves

// One unit of the held stack onto the shelf of the cell (made when the cell has none yet). True
// when placed: the held stack loses the unit (and becomes null when it was the last). False, with
// the held stack untouched, when the block is no shelf or the unit finds no free slot.
bool putItemOnShelf(World& world, MapBlock& cell, ItemPtr& held, uint8_t position);
