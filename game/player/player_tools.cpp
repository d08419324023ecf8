// The player's held-item rules: the held stack used up and worn down, what the held tool can
// break and how fast, and how far the player reaches with it.

#include <algorithm>
#include <cstdlib>

#include "content/items/item.h"
#include "content/stats/player_stats_block.h"
#include "content/tables/block_def.h"
#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "game/inventory/inventory.h"
#include "game/inventory/item_kinds.h"
#include "game/player/player.h"
#include "game/player/player_events.h"
#include "game/player/tool_reach.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr uint16_t kSoundToolBroken = 46;
constexpr uint8_t kItemKindBreaksNothing = 3;
constexpr uint16_t kRequirementMask = 0x1F;

// Short way round the world's width.
int wrappedDistance(int a, int b, int width) {
  int d = std::abs(a - b);
  if (width > 0) d %= width;
  return std::min(d, width - d);
}

}  // namespace

void Player::wearTool(uint8_t quickSlot) {
  if (world != nullptr && world->isCreative()) return;
  Item* item = inventory->slotItem({SlotKind::Quick, quickSlot, 0});
  if (!isSwingingItem(item)) return;
  if (item->durability > 0) --item->durability;
  if (item->durability > 0) return;
  MapBlock* cell = currentMapBlock();
  if (cell != nullptr) events().sound(kSoundToolBroken, *cell);
  recordStat(kStatToolBroken, item->id);
}

void Player::useUpHeldItem() {
  const uint32_t index = inventory->selected();
  if (index < Inventory::kQuickSlots) useUpQuickSlotItem(static_cast<uint8_t>(index));
}

void Player::useUpQuickSlotItem(uint8_t quickSlot) {
  if (quickSlot >= Inventory::kQuickSlots) return;
  const SlotRef slot{SlotKind::Quick, quickSlot, 0};
  Item* stack = inventory->slotItem(slot);
  if (stack == nullptr || stack->isNone()) return;
  if (--stack->count > 0) return;
  inventory->takeSlot(slot);  // its last unit is used up
  if (quickSlot == inventory->selected()) heldItemChanged(nullptr);
}

Item* Player::usedItem() {
  Item* held = heldItem();
  return held != nullptr && !held->isNone() && held->count != 0 ? held : nullptr;
}

uint16_t Player::heldToolCapabilities() const { return toolCapabilitiesOf(heldItem(), *this); }

bool Player::isNextToCell(const MapBlock& cell) const {
  const int width = world != nullptr ? world->map().width() : 0;
  return wrappedDistance(cell.x, static_cast<int>(cellX), width) <= 1 &&
         std::abs(cell.y - static_cast<int>(cellY)) <= 1;
}

bool Player::canReach(const MapBlock& cell, const Item* item) const {
  if (world != nullptr && world->isCreative()) return true;
  const int reach = toolReachOf(item);
  const int width = world != nullptr ? world->map().width() : 0;
  return wrappedDistance(cell.x, static_cast<int>(cellX), width) <= reach &&
         std::abs(cell.y - static_cast<int>(cellY)) <= reach;
}

float Player::breakTimeFor(const MapBlock& cell) const {
  const Item* held = heldItem();
  if (held == nullptr || held->isNone()) return stats.handValues[2];
  const uint16_t requirement = contentTables().blockDefs[cell.frontId()].record.useKind();
  const uint8_t kind = itemKindOf(held);
  if (kind != item_kind::kTool && (requirement & 1) == 0) return stats.handValues[3];
  if (kind == kItemKindBreaksNothing) return 0;
  if ((requirement & kRequirementMask & ~heldToolCapabilities()) != 0) return stats.handValues[3];
  const PlayerStatsBlock block;
  return held->miningPower(&block);
}
