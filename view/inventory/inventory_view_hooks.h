#pragma once
// What an inventory slot sprite asks of the inventory view that holds it: the windows its
// neighbours sit in, the panels and previews that follow a slot's change, the selected sprite,
// the floating label and the craft book.
//
// Implemented by the interface's inventory view (ui/), which registers it when the views are
// created; the world view's sprites call it. The null form has no windows and no panels: a
// sprite then still edits its slot (the backpack and the craft grid count as windows of
// their own size).
//
// Main thread only.

#include <cstdint>
#include <string>

#include "engine/base/geometry.h"
#include "engine/base/seam.h"
#include "game/inventory/slot_ref.h"

class InventorySprite;

// The columns and rows of the window that shows a slot kind; 0 x 0 when none does.
struct SlotWindowSize {
  uint8_t columns = 0;
  uint8_t rows = 0;
};

class InventoryViewHooks {
 public:
  virtual ~InventoryViewHooks() = default;

  // ---- The windows ----
  // Whether the inventory view is the current view (a slot outside the hand is used only there).
  virtual bool inventoryShown() = 0;
  // The sprite that shows a slot, null when no window shows it.
  virtual InventorySprite* spriteForSlot(SlotRef slot) = 0;
  virtual SlotWindowSize windowSize(SlotKind kind) = 0;
  // The "new item" flag of a backpack cell, set when a stack arrived there unseen.
  virtual bool isNewItemCell(SlotRef slot) = 0;
  virtual void clearNewItemCell(SlotRef slot) = 0;

  // ---- What follows a slot's change ----
  virtual void refreshEquipment(bool secondSet, uint8_t column) = 0;
  virtual void refreshCraftPreview() = 0;
  virtual void refreshContainerPanel() = 0;
  // The open window of an alchemy lab redraws its slots.
  virtual void refreshOpenWindow() = 0;
  // Opens the container panel of a kind (3 to 6) for the sprite's item.
  virtual void openContainerPanel(uint8_t kind, InventorySprite& sprite) = 0;
  virtual void refresh() = 0;

  // ---- Selection and texts ----
  virtual InventorySprite* selectedSprite() = 0;
  virtual void setSelectedSprite(InventorySprite* sprite) = 0;
  // A text that floats up from a screen point.
  virtual void showFloatingLabel(const std::string& text, const engine::Vec2& point) = 0;
  // The craft book opens at the recipe of a book entry (one just learned).
  virtual void showRecipeFor(uint16_t entry) = 0;
  // Whether the craft book lists its current page (not its default list) and the item is on it.
  virtual bool craftBookPageHolds(uint16_t itemId) = 0;
  // Whether the running game hides durability (its world flag).
  virtual bool durabilityHidden() = 0;

};

class NullInventoryViewHooks final : public InventoryViewHooks {
 public:
  bool inventoryShown() override { return false; }
  InventorySprite* spriteForSlot(SlotRef) override { return nullptr; }
  // The player's own areas, as the inventory holds them.
  SlotWindowSize windowSize(SlotKind kind) override {
    if (kind == SlotKind::Backpack) return {6, 6};
    if (kind == SlotKind::CraftGrid) return {3, 3};
    return {};
  }
  bool isNewItemCell(SlotRef) override { return false; }
  void clearNewItemCell(SlotRef) override {}
  void refreshEquipment(bool, uint8_t) override {}
  void refreshCraftPreview() override {}
  void refreshContainerPanel() override {}
  void refreshOpenWindow() override {}
  void openContainerPanel(uint8_t, InventorySprite&) override {}
  void refresh() override {}
  InventorySprite* selectedSprite() override { return nullptr; }
  void setSelectedSprite(InventorySprite*) override {}
  void showFloatingLabel(const std::string&, const engine::Vec2&) override {}
  void showRecipeFor(uint16_t) override {}
  bool craftBookPageHolds(uint16_t) override { return false; }
  bool durabilityHidden() override { return false; }
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<InventoryViewHooks, NullInventoryViewHooks>& inventoryViewHooksSeam();
InventoryViewHooks& inventoryViewHooks();
void setInventoryViewHooks(InventoryViewHooks* hooks);
