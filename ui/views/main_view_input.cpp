// The main view's keys and pointer: the player's key bindings move, jump, throw and open the
// other views; the pointer aims, its buttons act and repeat at the held item's pace, the wheel
// walks the quick slots.
#include "ui/views/main_view.h"

#include "content/items/item.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "platform/platform.h"
#include "ui/hud/hud.h"
#include "ui/hud/quick_slots.h"
#include "ui/views/game_views.h"
#include "view/inventory/inventory_sprite.h"
#include "view/inventory/item_tooltip.h"

namespace {

// The key binding actions of play.
enum BindingAction : uint32_t {
  kMoveUp = 0, kMoveDown, kMoveLeft, kMoveRight, kJump, kPause, kInventory, kBook, kMap, kChat, kThrow,
};

bool isBound(uint32_t action, engine::KeyCode key) {
  kel::Platform* platform = kel::Platform::instance();
  return platform != nullptr && platform->keyForAction(action) == static_cast<uint32_t>(key);
}

}  // namespace

void MainView::mouseMoved(const engine::Vec2& point) {
  pointer_ = point;
  showQuickSlotTooltip(point);
  const PlayerDesktopLocal* p = player();
  if (p == nullptr) return;
  const engine::Vec2 towards = worldPointAt(point) - p->position;
  aim_ = std::atan2(towards.y, towards.x);
}

void MainView::showQuickSlotTooltip(const engine::Vec2& point) {
  const int slot = hud_->quickSlots().slotAt(point);
  const InventorySprite* sprite = slot >= 0 ? hud_->quickSlots().sprite(slot) : nullptr;
  const Item* item = sprite != nullptr ? sprite->slotItem() : nullptr;
  if (item != nullptr) {
    showItemTooltip(*item, sprite->getPosition() + engine::Vec2(0, sprite->getBoundingBox().size.height / 2.0f));
    tooltipShown_ = true;
  } else if (tooltipShown_) {
    hideItemTooltip();
    tooltipShown_ = false;
  }
}

void MainView::mouseButton(const engine::Vec2& point, int button, bool released) {
  mouseMoved(point);
  if (!released && button == kel::MOUSE_BUTTON_LEFT) {
    const int slot = hud_->quickSlots().slotAt(point);
    if (slot >= 0) {
      selectQuickSlot(slot);
      return;
    }
  }
  if (button != kel::MOUSE_BUTTON_LEFT && button != kel::MOUSE_BUTTON_RIGHT) return;
  const int index = button == kel::MOUSE_BUTTON_LEFT ? 0 : 1;
  held_[index] = !released;
  repeat_[index] = 0.0f;
  if (released && index == 0) stopMining();
  if (released) return;
  refusedCell_ = -1;
  if (index == 0) primaryAction(); else secondaryAction();
  if (const PlayerDesktopLocal* p = player()) repeat_[index] = paceOf(p->heldItem());
}

void MainView::mouseWheel(float amount) {
  const PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr || amount == 0) return;
  const int selected = static_cast<int>(p->inventory->selected());
  const int from = selected < QuickSlots::kCount ? selected : 0;
  // The wheel turned towards the player (a positive amount) goes to the next slot.
  selectQuickSlot((from + (amount > 0 ? 1 : QuickSlots::kCount - 1)) % QuickSlots::kCount);
}

void MainView::moveKey(engine::KeyCode key, bool released) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr) return;
  uint8_t code = 255;
  if (isBound(kMoveUp, key) || key == engine::KeyCode::UP_ARROW) code = MotionEvent::kUp;
  if (isBound(kMoveDown, key) || key == engine::KeyCode::DOWN_ARROW) code = MotionEvent::kDown;
  if (isBound(kMoveLeft, key) || key == engine::KeyCode::LEFT_ARROW) code = MotionEvent::kLeft;
  if (isBound(kMoveRight, key) || key == engine::KeyCode::RIGHT_ARROW) code = MotionEvent::kRight;
  if (code != 255) {
    if (released) p->handleKeyRelease(code); else p->setMoveKeys(code);
    return;
  }
  if (isBound(kJump, key)) {
    if (released) p->handleKeyRelease(MotionEvent::kHeldJump); else p->jumpOrDrop(0.0f, true);
  }
  if (isBound(kThrow, key) && !released) throwHeld();
}

bool MainView::openViewFor(engine::KeyCode key) {
  GameViews* views = gameViews();
  if (views == nullptr) return false;
  if (isBound(kPause, key)) {
    showPauseView();
    return true;
  }
  ViewId target = ViewId::None;
  if (isBound(kInventory, key)) target = ViewId::Inventory;
  if (isBound(kBook, key)) target = ViewId::Book;
  if (isBound(kMap, key)) target = ViewId::Map;
  if (isBound(kChat, key) || key == engine::KeyCode::SLASH) target = ViewId::Chat;
  if (key == engine::KeyCode::F1) target = ViewId::Help;
  if (target == ViewId::None) return false;
  views->push(target);
  return true;
}

void MainView::keyEvent(engine::KeyCode key, bool released) {
  if (player() == nullptr) return;
  const int code = static_cast<int>(key);
  const int first = static_cast<int>(engine::KeyCode::DIGIT_0);
  if (code >= first && code <= first + 9) {
    // 1 to 9 pick the first nine slots, 0 the tenth.
    if (!released) selectQuickSlot(code == first ? 9 : code - first - 1);
    return;
  }
  // Views open on the release of a key pressed here, so the press cannot reach the view that
  // opens, and a release left over from a closing view opens nothing.
  const size_t bit = static_cast<size_t>(code) % pressed_.size();
  const bool pressedHere = pressed_[bit];
  pressed_[bit] = !released;
  if (released && pressedHere && openViewFor(key)) return;
  moveKey(key, released);
}
