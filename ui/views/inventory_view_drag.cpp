// The inventory view's stacks moved with the pointer: a press on a cell, a drag, a release on
// another cell (or outside them all, which throws the stack), and the moves the clicks share.

#include <cmath>

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "game/inventory/encrusting.h"
#include "game/inventory/firework_filling.h"
#include "game/inventory/inventory.h"
#include "game/inventory/seed_mixing.h"
#include "game/player/player_desktop.h"
#include "game/stats/stats_store.h"
#include "ui/views/inventory_view.h"
#include "ui/views/throw_stack.h"
#include "ui/widgets/ui_draw.h"
#include "view/inventory/inventory_sprite.h"
#include "view/inventory/item_tooltip.h"
#include "world/plants/plant_genes.h"
#include "world/rules/game.h"

namespace {

bool isWorn(SlotKind kind) {
  return kind == SlotKind::Equipment || kind == SlotKind::Equipment2 || kind == SlotKind::Trinket;
}

bool holds(const Item* item) { return item != nullptr && !item->isNone(); }

}  // namespace

void InventoryView::drag(const engine::Vec2& point, int button, kel::DragPhase phase) {
  if (button != kel::MOUSE_BUTTON_LEFT) {
    ListView::drag(point, button, phase);
    return;
  }
  if (phase == kel::DragPhase::Begin) {
    dragged_ = pressed_ != nullptr && holds(pressed_->slotItem()) ? pressed_ : nullptr;
    if (dragged_ != nullptr) {
      hideItemTooltip();
      if (selected_ != nullptr) selected_->deselect();
      dragIcon_.show(*dragged_->slotItem(), point, dragged_->getScale(), root());
    }
  }
  if (dragged_ == nullptr) {
    ListView::drag(point, button, phase);
    if (phase == kel::DragPhase::End) pressed_ = nullptr;
    return;
  }
  if (phase != kel::DragPhase::End) {
    dragIcon_.moveTo(point);
    InventorySprite* over = grid_.spriteAt(point);
    if (over != nullptr && takesStack(dragged_->slot(), over->slot())) {
      showDropMarker(over->getPosition());
    } else {
      hideDropMarker();
    }
    return;
  }
  dropStack(point);
}

void InventoryView::dropStack(const engine::Vec2& point) {
  InventorySprite* from = dragged_;
  dragged_ = nullptr;
  pressed_ = nullptr;
  hideDropMarker();
  dragIcon_.hide();
  PlayerDesktopLocal* p = player();
  if (p == nullptr || from == nullptr) return;
  InventorySprite* onto = grid_.spriteAt(point);
  if (onto == nullptr && from->slot().kind == SlotKind::Catalogue) return;  // an entry is never thrown
  if (onto == nullptr) {
    if (list().rowAt(point) >= 0) return;  // let go over the list: the stack stays
    // Outside the cells: thrown the way the pointer points from the middle of the window, where
    // the player stands.
    const engine::Size window = uiWindowSize();
    const float angle = std::atan2(point.y - window.height / 2.0f, point.x - window.width / 2.0f);
    const SlotRef slot = from->slot();
    if (throwSlotStack(session().game(), *p, slot, angle)) afterMove(slot, slot);
    from->refreshAndRelayout();
  } else if (onto != from) {
    status_.clear();
    moveStack(from->slot(), onto->slot());
    from->refreshAndRelayout();
    onto->refreshAndRelayout();
  }
  refreshTexts();
}

bool InventoryView::takesStack(SlotRef from, SlotRef to) const {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr || from == to) return false;
  const Inventory& inventory = *p->inventory;
  const Item* moving = inventory.slotItem(from);
  const Item* there = inventory.slotItem(to);
  if (!holds(moving) || to.kind == SlotKind::Catalogue) return false;
  if (holds(there) && (there->canStackWith(*moving) || canMixSeeds(moving, there))) return true;
  if (encrustsWith(from, to) || fillsFirework(moving, there)) return true;
  // An entry is copied: the cell it leaves needs no room for what was there.
  if (from.kind == SlotKind::Catalogue) return !holds(there) && inventory.slotAcceptsItem(to, moving);
  return inventory.slotAcceptsItem(to, moving) && inventory.slotAcceptsItem(from, there);
}

bool InventoryView::moveStack(SlotRef from, SlotRef to) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr || from == to) return false;
  Inventory& inventory = *p->inventory;
  const Item* moving = inventory.slotItem(from);
  const Item* there = inventory.slotItem(to);
  bool moved = false;
  if (from.kind == SlotKind::Catalogue || to.kind == SlotKind::Catalogue) {
    moved = swapSlots(from, to);
  } else if (canMixSeeds(moving, there)) {
    moved = mixSeedStacks(from, to);
  } else if (encrustsWith(from, to)) {
    moved = encrust(from, to);
  } else if (fillsFirework(moving, there)) {
    moved = fillFireworkWith(from, to);
  } else if (holds(moving) && holds(there) && there->canStackWith(*moving)) {
    moved = inventory.mergeSlots(from, to);
    p->heldItemChanged(p->heldItem());
  } else {
    moved = swapSlots(from, to);
  }
  if (moved) afterMove(from, to);
  return moved;
}

void InventoryView::afterMove(SlotRef a, SlotRef b) {
  if (!isWorn(a.kind) && !isWorn(b.kind)) return;
  if (PlayerDesktopLocal* p = player()) p->refreshAppearance();
}

bool InventoryView::pickFromCatalogue(SlotRef entry, SlotRef to) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr || to.kind == SlotKind::Catalogue) return false;
  Inventory& inventory = *p->inventory;
  const Item* shown = inventory.slotItem(entry);
  Item* there = inventory.slotItem(to);
  if (!holds(shown)) return false;
  if (holds(there) && there->canStackWith(*shown)) {
    // One more of it on the stack already there, up to a full stack.
    if (there->count >= ITEM_STACK_LIMIT) return false;
    ++there->count;
  } else if (!holds(there) && inventory.slotAcceptsItem(to, shown)) {
    ItemPtr copy = newItem(shown->id, 0, 1, 0, 0);
    if (copy == nullptr) return false;
    *copy = *shown;
    copy->count = 1;
    inventory.setSlot(to, std::move(copy));
  } else {
    status_ = "That cannot go there.";
    return false;
  }
  p->heldItemChanged(p->heldItem());
  return true;
}

bool InventoryView::mixSeedStacks(SlotRef a, SlotRef b) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr) return false;
  const SeedMix mix = mixSeeds(*p->inventory, a, b);
  if (!mix.mixed) {
    status_ = "No room for the new seed.";
    return false;
  }
  if (InventorySprite* shown = grid_.spriteFor(mix.where)) shown->refreshAndRelayout();
  p->heldItemChanged(p->heldItem());
  tellOfSlot("Mixed: " + seedDisplayName(mix.genes), mix.where);
  return true;
}

bool InventoryView::encrustsWith(SlotRef setting, SlotRef target) const {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr || setting.kind == SlotKind::Catalogue) return false;
  const Item* gem = p->inventory->slotItem(setting);
  const InventorySprite* onto = grid_.spriteFor(target);
  return holds(gem) && settingModifier(gem->id) != 0 && onto != nullptr && onto->canEncrust();
}

bool InventoryView::encrust(SlotRef setting, SlotRef target) {
  PlayerDesktopLocal* p = player();
  InventorySprite* gem = grid_.spriteFor(setting);
  InventorySprite* onto = grid_.spriteFor(target);
  if (p == nullptr || gem == nullptr || onto == nullptr || gem->slotItem() == nullptr) return false;
  Item* item = onto->slotItem();
  switch (onto->modifyCheck()) {
    case 0: break;
    case 2: status_ = "Repair it before encrusting it."; return false;
    default: status_ = "This item cannot be encrusted."; return false;
  }
  if (item->count != 1) {
    status_ = "Only a single item can be encrusted.";
    return false;
  }
  encrustItem(*item, settingModifier(gem->slotItem()->id));
  p->recordStat(stat_number::kEncrusted, item->id);
  gem->consumeOne();
  onto->refreshAndRelayout();
  p->heldItemChanged(p->heldItem());
  tellOfSlot("Encrusted: " + itemLabel(item), target);
  return true;
}

bool InventoryView::fillFireworkWith(SlotRef paint, SlotRef target) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr) return false;
  const FireworkFill fill = fillPlayersFirework(*p, paint, target);
  switch (fill.result) {
    case FireworkFill::Filled: break;
    case FireworkFill::Full: status_ = "The firework holds four colours already."; return false;
    case FireworkFill::NoRoom: status_ = "No room for the filled firework."; return false;
    case FireworkFill::NotAFirework: return false;
  }
  for (SlotRef changed : {paint, target, fill.where}) {
    if (InventorySprite* shown = grid_.spriteFor(changed)) shown->refreshAndRelayout();
  }
  p->heldItemChanged(p->heldItem());
  const Item* filled = p->inventory->slotItem(fill.where);
  const int colours = filled != nullptr ? fireworkCodes(filled->word) : 0;
  tellOfSlot("Filled: " + std::to_string(colours) + " of 4 colours", fill.where);
  return true;
}
