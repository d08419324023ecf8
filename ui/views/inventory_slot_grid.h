#pragma once
// The quick row and the backpack as slot sprites: one InventorySprite per cell, the quick row on
// top and the backpack's grid under it (columns left to right, rows top to bottom), on a parent
// node of the view, with the cells of the page's own area beside them, its captions and its page
// buttons. The sprites draw the items' icons, counts, marks and outlines; the grid finds the sprite
// or the page button under a point and the sprite of a slot, and lets them all go when the view
// closes (their pieces leave the HUD batches with them).
//
// Main thread only.

#include <cstdint>
#include <vector>

#include "engine/base/geometry.h"
#include "engine/base/ref_ptr.h"
#include "game/inventory/slot_ref.h"
#include "ui/views/inventory_page_cells.h"

namespace engine {
class InnerNode;
class Label;
}  // namespace engine
class InventorySprite;
class Player;

class InventorySlotGrid {
 public:
  // A backpack frame is 21 points wide: the cells touch.
  static constexpr float kCellPoints = 21.0f;
  // The pitch of cells built at the interface scale of now.
  static float scaledPitch();

  InventorySlotGrid() = default;
  ~InventorySlotGrid();
  InventorySlotGrid(const InventorySlotGrid&) = delete;
  InventorySlotGrid& operator=(const InventorySlotGrid&) = delete;

  // Makes the sprites of the player's quick row, backpack and the page's cells, the top left
  // cell's centre at the point.
  void build(engine::InnerNode* parent, Player* player, const engine::Vec2& topLeft, const PageCells& page = {});
  void clear();
  bool empty() const { return sprites_.empty(); }
  const std::vector<engine::RefPtr<InventorySprite>>& sprites() const { return sprites_; }

  // The sprite whose cell holds the point, null for none.
  InventorySprite* spriteAt(const engine::Vec2& point) const;
  // A page button as drawn: its step and the box it takes.
  struct ShownButton {
    int32_t step = 0;
    engine::Rect box;
    engine::RefPtr<engine::InnerNode> node;
  };
  const std::vector<ShownButton>& pageButtons() const { return buttons_; }
  // The step of the page button holding the point; 0 for none.
  int32_t pageStepAt(const engine::Vec2& point) const;
  // The step of the button that pages on (or back); 0 while none is offered.
  int32_t pageStep(bool onwards) const;
  InventorySprite* spriteFor(SlotRef slot) const;
  // Every sprite shows its slot again.
  void refreshAll();
  // The distance between the centres of neighbouring cells; 0 while none are built.
  float pitch() const { return pitch_; }

 private:
  void add(engine::InnerNode* parent, Player* player, SlotRef slot, const engine::Vec2& at);
  void addButton(engine::InnerNode* parent, int32_t step, const engine::Vec2& at);

  std::vector<engine::RefPtr<InventorySprite>> sprites_;
  std::vector<engine::RefPtr<engine::Label>> captions_;
  std::vector<ShownButton> buttons_;
  float pitch_ = 0;
};
