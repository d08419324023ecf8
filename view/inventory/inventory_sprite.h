#pragma once
// One on-screen cell of an inventory window or of the quick-slot bar: a frame of the interface
// atlas bound to one slot of the local player's inventory. It shows the slot's item icon, its
// count, the durability bar of a quick-slot tool, a mark for a modifier, a variant or a known
// recipe, an outline and a highlight, and it follows its selection through the element state of
// its slot kind's row (slot_kind_table.h). It also performs the slot actions the inventory view
// triggers: select, split a stack, gather stacks, consume or use one, clear, act on a tap.
//
// Counts, marks and highlights are drawn in the main layer's overlay node, icons in the icon
// batch (overlay_art.h); a sprite outside a game's view draws them beside itself.
//
// Main thread only.

#include <cstdint>
#include <functional>

#include "engine/base/ref_ptr.h"
#include "engine/sprite/sprite.h"
#include "game/inventory/slot_ref.h"
#include "view/inventory/slot_kind_table.h"

namespace engine {
class InnerNode;
class Label;
}  // namespace engine
class Inventory;
class Item;
class Player;
struct LayoutBox;

class InventorySprite : public engine::Sprite {
 public:
  static constexpr int kCountTag = 286, kMarkTag = 287, kQuickMarkTag = 288, kHighlightTag = 67;
  static constexpr uint16_t kSplitSound = 28;

  // A frame of the interface atlas with the rectangle, bound to no slot; without the atlas it
  // draws nothing. It sits at the window layout's point of the position (a relative one) when a
  // layout is given (not owned; it outlives the sprite), else at the position. Autoreleased.
  static InventorySprite* create(Player* player, const engine::Rect& rect, const engine::Vec2& position,
                                 const LayoutBox* layout = nullptr);
  // The cell of a slot: its kind's row, the normal state, the marker frame at its corner, the
  // item's pieces. Null for the none kind.
  static InventorySprite* createForSlot(Player* player, SlotRef slot, const engine::Vec2& position,
                                        const LayoutBox* layout = nullptr);

  // The item in the slot, or null.
  Item* slotItem() const;
  SlotRef slot() const { return slot_; }
  const SlotKindRow* slotKind() const { return slotKind_; }
  uint32_t elementState() const { return state_; }
  void setElementState(uint32_t state) { state_ = state; }
  Player* player() const { return player_; }
  // The window layout that placed it, null when placed by position.
  const LayoutBox* layout() const { return layout_; }

  // ---- What it shows ----
  // Rebuilds the icon, count, bar, outline, mark and highlight; quiet leaves the panels that
  // follow the slot alone.
  void refreshCount(bool quiet);
  void refresh();
  void refreshAndRelayout();
  // An item drawn faded while the slot is empty: what the cell would receive (the craft grid's
  // result before it is taken). An id of 0xFFFF shows nothing. Shown from the next refresh.
  struct Preview {
    uint16_t id = 0xFFFF;
    int8_t variant = 0;
    uint16_t count = 0;
  };
  void setPreview(const Preview& preview) { preview_ = preview; }
  const Preview& preview() const { return preview_; }
  // Stores the slot's item again so that a container's slot registers the change.
  void syncSlot();
  // The frame of the state; on a quick slot, the marker frame beside the durability bar.
  void updateState(bool noBar);
  void updateDurabilityBar();
  void updateOutline();
  void setHighlighted(bool on);
  void setHighlightKind(uint32_t kind);
  void updateHighlight();

  // ---- Selection ----
  bool isSelected() const;
  void select();
  void deselect();

  // ---- Slot actions (inventory_sprite_actions.cpp) ----
  // One unit gone; true when the stack emptied.
  bool consumeOne();
  void useOne();
  bool canEncrust() const;
  // 0 may be modified, 1 may not (or is modified already), 2 is damaged.
  int modifyCheck() const;
  bool gatherStacks();
  void splitStack();
  void onActivate();

  // The pieces, for the view and tests.
  engine::Sprite* icon() const { return icon_; }
  engine::Label* countLabel() const { return countLabel_; }
  engine::Sprite* mark() const { return mark_; }
  engine::Sprite* durabilityBar() const { return durabilityBar_; }
  engine::Sprite* marker() const { return marker_; }
  engine::Sprite* outline() const { return outline_; }
  engine::Sprite* highlightFrame() const { return highlightFrame_; }
  bool isQuickSlot() const { return slot_.kind == SlotKind::Quick; }

  std::function<void(InventorySprite&)> onTap;

  // Off the screen at once, with the pieces it placed in other nodes (icon, count, marks, bar),
  // however long something else keeps the sprite itself.
  void detach();

  ~InventorySprite() override;

 protected:
  InventorySprite() = default;

 private:
  Inventory* inventory() const;
  // The node the pieces go to: the view's, else this sprite's parent.
  engine::InnerNode* piecesParent(engine::InnerNode* preferred) const;
  void removePieces();
  void addIcon(const Item& item);
  void addCount(const Item& item);
  void addMark(const Item& item);
  void addNewItemFrame();
  void addPreview();
  engine::Vec2 markerCorner() const;
  void showMarkerFrame();
  void tellFollowers();
  InventorySprite* neighbour(int dx, int dy) const;
  SlotRef emptyTargetFor() const;
  void learnFromPage(uint16_t entry);
  // True when the game's host opens the bag (a joined game): the bag is spent here.
  bool openedByHost(const Item& bag);

  const LayoutBox* layout_ = nullptr;
  Player* player_ = nullptr;
  const SlotKindRow* slotKind_ = nullptr;
  SlotRef slot_;
  uint32_t state_ = 0;
  // The pieces live as long as the sprite shows them, whether or not a parent has taken them.
  engine::RefPtr<engine::Sprite> durabilityBar_;
  engine::RefPtr<engine::Sprite> marker_;
  engine::RefPtr<engine::Sprite> outline_;
  engine::RefPtr<engine::Sprite> icon_;
  engine::RefPtr<engine::Label> countLabel_;
  engine::RefPtr<engine::Sprite> mark_;
  engine::RefPtr<engine::Sprite> highlightFrame_;
  Preview preview_;
  bool highlighted_ = false;
  uint32_t highlightKind_ = 0;
};
