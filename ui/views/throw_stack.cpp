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
  const Item* shown = player.inventory->slotItem(slot);
  if (shown == nullptr || shown->isNone()) return false;
  ItemPtr item = player.inventory->takeSlot(slot);
  if (item == nullptr) return false;
  player.heldItemChanged(player.heldItem());
  // The stack passes to the thrown entity.
  game.throwItem(std::move(item), kThrowSpeed, angle, 0);
  return true;
}
