#pragma once
// The inventory view, in four pages: the backpack (with the quick row), the equipment, crafting
// at the station the player stands at (page 2, the page a crafting station opens; by hand away
// from one), and the open container. Choosing a backpack or equipment row swaps it with the selected quick slot, choosing
// a recipe crafts it, and the container page takes or stores the items. Tab (the pane key) walks
// the pages; the backpack page's list opens the statistics page and, in a creative world, the item
// catalogue, whose entries are picked into the quick row and the backpack. Escape or the
// inventory key closes it. The game's ordinary timers are paused while it
// is current; closing it closes the open container.
//
// Every page shows the quick row and the backpack as slot sprites (item icons with their counts and
// marks), and beside them the cells of its own area: the worn items, the craft grid with its
// result, or the open container (inventory_page_cells.h); the list stands right of them. A left
// click selects a cell (a quick cell becomes the held one), and a second click on another cell
// swaps the two. A stack pressed on and dragged to another cell goes there: it joins a stack it
// can join, a seed crosses with a seed of other genes, else the two trade places; its icon follows
// the pointer, the drop marker shows over a cell that takes it, and a stack dropped outside the
// cells is thrown. A right click
// acts on the cell's item (opens, uses or learns it); with a cell selected, S splits its stack (and
// lets the cell go) and G gathers the stacks around it. The empty result cell shows, faded, what the craft grid makes;
// pressing on it makes the recipe there; closing the view or leaving the crafting page gives the grid's stacks back. The pointer
// resting on an item shows its tooltip. A chest of more rows than fit above the HUD's quick row
// shows a page of them: its page buttons, or the wheel over its cells, step through the rest. The
// view is the sprites' InventoryViewHooks: it is registered when the views are created.
//
// Main thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/geometry.h"
#include "engine/base/ref_ptr.h"
#include "game/crafting/crafting_page_list.h"
#include "game/inventory/slot_ref.h"
#include "ui/views/drag_icon.h"
#include "ui/views/inventory_slot_grid.h"
#include "ui/views/inventory_stats_page.h"
#include "ui/views/list_view.h"
#include "view/inventory/inventory_view_hooks.h"

namespace engine {
class InnerNode;
}
class LogicItemBlock;
class PlayerDesktopLocal;

class InventoryView final : public ListView, public InventoryViewHooks {
 public:
  // Tab walks the first four pages; the backpack page's list opens the other two.
  enum Page : uint8_t {
    kBackpack = 0, kEquipment = 1, kCrafting = 2, kContainer = 3, kStatistics = 4, kCatalogue = 5,
    kTrade = 6, kTabPages = 4, kPageCount = 7
  };
  // The container panels a tapped setting, firework and seed ask for.
  static constexpr uint8_t kSettingPanel = 3, kFireworkPanel = 5, kSeedPanel = 6;
  // The drop marker's tag among the root's children.
  static constexpr int kDropMarkerTag = 0x44524f50;

  InventoryView();
  ~InventoryView() override;

  void enter() override;
  void exit() override;
  // A covered view leaves the screen: the cells' icons, counts and marks, which are drawn in the
  // layer's own batches above every view, leave with the frames and come back with them.
  void pause() override;
  void resume() override;
  // The list beside the cells and the cells themselves, made again at the new interface scale.
  void layOut() override;

  // Rebuilds the view for its page and hides the drop marker, so nothing is left half-dragged
  // (the application calls it when it goes to the background).
  void refresh() override;
  void showDropMarker(const engine::Vec2& position);

  void setPage(uint8_t page);
  uint8_t page() const { return page_; }
  // What the last choice did ("Made 4 Torch", "No room", ...). It belongs to the page it was said
  // on, and one that tells of a slot's item ("Filled: 2 of 4 colours") goes once the slot no
  // longer holds that item.
  const std::string& status() const { return status_; }

  // Swaps the slot with the selected quick slot; false when either side refuses the other's item.
  bool swapWithHeld(SlotRef slot);
  // Crafts the recipe row; the status says what happened.
  bool craft(uint16_t recipeRow);

  // ---- The slot sprites ----
  const InventorySlotGrid& grid() const { return grid_; }
  // A click or the pointer on the grid; false when the point misses it.
  bool mouseButton(const engine::Vec2& point, int button, bool released) override;
  void hover(const engine::Vec2& point) override;
  // Over the open chest's cells or its page buttons the wheel turns the chest's pages; elsewhere it
  // moves the list.
  void wheelAt(const engine::Vec2& point, float amount) override;
  // A stack dragged from the cell it was pressed on (inventory_view_drag.cpp).
  void drag(const engine::Vec2& point, int button, kel::DragPhase phase) override;
  bool isDragging() const { return dragged_ != nullptr; }
  // The dragged stack's icon under the pointer.
  const DragIcon& dragIcon() const { return dragIcon_; }
  // Puts the two slots' items in each other's place; false when either refuses the other's.
  bool swapSlots(SlotRef a, SlotRef b);
  // The stack of one slot onto another: joined where it can join, else the two trade places.
  bool moveStack(SlotRef from, SlotRef to);
  // Whether the slot would take the stack of the other (joined or traded).
  bool takesStack(SlotRef from, SlotRef to) const;
  // Makes the craft grid's recipe in the result cell; the status says what happened.
  bool craftFromGrid();
  // One seed of each of two stacks of known, different genes crossed into a new seed.
  bool mixSeedStacks(SlotRef a, SlotRef b);
  // Whether the stack in the first slot is a setting the item in the second can take.
  bool encrustsWith(SlotRef setting, SlotRef target) const;
  // One setting of the first slot set into the item of the second; the status says why not.
  bool encrust(SlotRef setting, SlotRef target);
  // One paint of the first slot into the next colour of the firework in the second; the status
  // says why not.
  bool fillFireworkWith(SlotRef paint, SlotRef target);
  // A copy of a catalogue entry into a slot (kind 13 cells are never emptied).
  bool pickFromCatalogue(SlotRef entry, SlotRef to);
  // Pins the catalogue cell's item to the Pinned list, or unpins it; the status says which.
  bool togglePinned(InventorySprite& catalogueCell);
  const InventoryStatsPage& statsPage() const { return stats_; }

  // ---- InventoryViewHooks ----
  bool inventoryShown() override;
  InventorySprite* spriteForSlot(SlotRef slot) override;
  SlotWindowSize windowSize(SlotKind kind) override;
  bool isNewItemCell(SlotRef slot) override;
  void clearNewItemCell(SlotRef slot) override;
  void refreshEquipment(bool secondSet, uint8_t column) override;
  void refreshCraftPreview() override;
  void refreshContainerPanel() override;
  void refreshOpenWindow() override;
  void openContainerPanel(uint8_t kind, InventorySprite& sprite) override;
  InventorySprite* selectedSprite() override { return selected_; }
  void setSelectedSprite(InventorySprite* sprite) override { selected_ = sprite; }
  void showFloatingLabel(const std::string& text, const engine::Vec2& point) override;
  void showRecipeFor(uint16_t entry) override;
  bool craftBookPageHolds(uint16_t itemId) override;
  bool durabilityHidden() override;

 protected:
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) override;
  bool ownKey(engine::KeyCode key, bool released) override;
  // On the backpack page the list stands right of the cells.
  void listColumn(float& left, float& width) const override;
  float linesCentre() const override;

 private:
  // The local player of the game the view plays; null between games.
  PlayerDesktopLocal* player() const { return session().player(); }
  void fillBackpack(PlayerDesktopLocal& player, std::vector<MenuList::Row>& rows);
  void fillEquipment(PlayerDesktopLocal& player, std::vector<MenuList::Row>& rows);
  void fillCrafting(PlayerDesktopLocal& player, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);
  void fillContainer(PlayerDesktopLocal& player, std::vector<MenuList::Row>& rows);
  void fillCatalogue(PlayerDesktopLocal& player, std::vector<MenuList::Row>& rows);
  // The running trade (inventory_view_trade.cpp): both sides' offers, what may be offered, ready
  // and cancel.
  void fillTrade(PlayerDesktopLocal& player, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows);

  void buildGrid();
  PageCells pageCells(PlayerDesktopLocal& player) const;
  // The height of the quick row's centre for the page's cells a pitch apart.
  float gridTop(const PageCells& page, float pitch) const;
  // The quick row's centre right under the texts, and as high as it may stand.
  float gridTopUnderTexts(float pitch) const;
  float highestGridTop(float pitch) const;
  // The open container's slots as the page shows them: a chest's from its offset, as many rows as fit.
  ContainerArea containerArea(const LogicItemBlock& block) const;
  // The open chest's offset moved by a page button's step; the cells show its new page.
  void turnChestPage(int32_t step);
  // The crafting page's line about what the craft grid makes.
  std::string gridLine(PlayerDesktopLocal& player) const;
  // The result cell shows, faded, what the craft grid's layout would make there.
  void showGridResult(PlayerDesktopLocal& player);
  void leaveCraftGrid();
  void dropStack(const engine::Vec2& point);
  void hideDropMarker();
  // The appearance follows a worn slot's change.
  void afterMove(SlotRef a, SlotRef b);
  void clearGrid();
  float gridPitch() const;
  // The texts of the list again, leaving the sprites as they are.
  void refreshTexts() { ListView::refresh(); }
  bool gridKey(engine::KeyCode key);
  void noteSeenCells();
  // The status and a floating text over the slot's cell, both telling of the item it holds now.
  void tellOfSlot(const std::string& text, SlotRef slot);
  // Forgets a status whose slot no longer holds the item it told of.
  void dropStaleStatus();

  // What a status told of a slot: it holds while the status is still that text.
  struct StatusSubject {
    std::string text;
    SlotRef slot;
    uint16_t item = 0xFFFF;
  };

  InventorySlotGrid grid_;
  InventorySprite* selected_ = nullptr;  // one of the grid's
  InventorySprite* hovered_ = nullptr;   // the grid's cell lit under the pointer
  InventorySprite* pressed_ = nullptr;   // the grid's cell the left button went down on
  InventorySprite* dragged_ = nullptr;   // the grid's cell whose stack is being dragged
  // Backpack cells that held an item when the player last looked; an item elsewhere is new.
  std::vector<bool> seen_;
  uint32_t seenBy_ = 0;  // the id of the player the cells were seen by
  engine::InnerNode* dropMarker_ = nullptr;  // a child of the root
  // The texts that rise over the cells for a moment, none kept once the view leaves the screen: in
  // the game's overlay node, over the cells' icons and counts (which the main layer draws over the
  // views), or in the root without a game's view.
  engine::RefPtr<engine::InnerNode> floats_;
  void placeFloats();
  void dropFloats();
  DragIcon dragIcon_;
  uint8_t page_ = kBackpack;
  std::string status_;
  StatusSubject statusSubject_;
  CraftingPageList craftRows_;  // the crafting page's recipes, in the places they were shown
  InventoryStatsPage stats_;
};

// "Name x3" for an item stack, "(empty)" for none.
class Item;
std::string itemLabel(const Item* item);
