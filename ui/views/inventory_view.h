#pragma once
// The inventory view, in four pages: the backpack (with the quick row), the equipment, crafting
// at the station the player stands at (page 2, the page a crafting station opens), and the open
// container. Choosing a backpack or equipment row swaps it with the selected quick slot, choosing
// a recipe crafts it, and the container page takes or stores the items. Tab (the pane key) walks
// the pages; Escape or the inventory key closes it. The game's ordinary timers are paused while it
// is current; closing it closes the open container.
//
// Main thread only.

#include <cstdint>
#include <string>

#include "engine/base/geometry.h"
#include "game/inventory/slot_ref.h"
#include "ui/views/list_view.h"

namespace engine {
class Node;
}
class PlayerDesktopLocal;

class InventoryView final : public ListView {
 public:
  enum Page : uint8_t { kBackpack = 0, kEquipment = 1, kCrafting = 2, kContainer = 3, kPageCount = 4 };

  InventoryView();
  ~InventoryView() override;

  void enter() override;
  void exit() override;

  // Rebuilds the view for its page and hides the drop marker, so nothing is left half-dragged
  // (the application calls it when it goes to the background).
  void refresh();
  void showDropMarker(const engine::Vec2& position);
  bool isDropMarkerShown() const;

  void setPage(uint8_t page);
  uint8_t page() const { return page_; }
  // What the last choice did ("Made 4 Torch", "No room", ...).
  const std::string& status() const { return status_; }

  // Swaps the slot with the selected quick slot; false when either side refuses the other's item.
  bool swapWithHeld(SlotRef slot);
  // Crafts the recipe row; the status says what happened.
  bool craft(uint16_t recipeRow);

 protected:
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) override;
  bool ownKey(engine::KeyCode key, bool released) override;

 private:
  void fillBackpack(PlayerDesktopLocal& player, std::vector<MenuList::Row>& rows);
  void fillEquipment(PlayerDesktopLocal& player, std::vector<MenuList::Row>& rows);
  void fillCrafting(PlayerDesktopLocal& player, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);
  void fillContainer(PlayerDesktopLocal& player, std::vector<MenuList::Row>& rows);

  engine::Node* dropMarker_ = nullptr;  // a child of the root
  uint8_t page_ = kBackpack;
  std::string status_;
};

// "Name x3" for an item stack, "(empty)" for none.
class Item;
std::string itemLabel(const Item* item);
