#include "ui/views/throw_stack.h"

#include "content/items/item.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "world/rules/game.h"

namespace {
constexpr float kThrowSpeed = 5.0f;  // pixels per tick
}  // namespace

bool throwSlotStack(GamePlayerActions& game, PlayerDesktopLocal& player, SlotRef slot, float angle) {
  if (player.inventory == nullptr) return false;
  Item* item = player.inventory->slotItem(slot);
  if (item == nullptr || item->isNone()) return false;
  player.inventory->setSlot(slot, nullptr);
  player.heldItemChanged(player.heldItem());
  // The stack passes to the thrown entity.
  game.throwItem(item, kThrowSpeed, angle, 0);
  return true;
}
